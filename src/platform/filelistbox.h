#pragma once

#include <QListWidget>

class QFileSystemWatcher;

// The files of one folder, sorted by name. Hidden files are not listed. The
// list follows files added, removed or renamed in the folder by this program
// or any other, told by the system rather than by reading the disk again.
class FileListBox : public QListWidget
{
    Q_OBJECT
public:
    explicit FileListBox(QWidget *parent = nullptr);

    QString Path() const { return m_path; }
    // The names listed, such as "*.entry"; every file ("*.*") unless set.
    void setPattern(const QString &pattern)
    {
        m_pattern = pattern;
        m_stamp.clear();
    }
    // Whether the list follows changes told by the system (the default); a
    // window that reads the folder again on its own terms turns this off.
    void setFollowsFolder(bool follows) { m_follows = follows; }
    // Lists the folder's files. When the folder cannot be read the list is
    // empty and the result says why.
    QString setPath(const QString &path);
    // Reads the folder again; the selected file stays selected while it is
    // there.
    QString Refresh();
    // The selected name, or "" when nothing is selected.
    QString FileName() const;

Q_SIGNALS:
    void DblClick();

private:
    QString m_path;
    QString m_pattern = QStringLiteral("*.*");
    QByteArray m_stamp; // what the folder held at the last listing
    QFileSystemWatcher *m_watcher;
    bool m_follows = true;
};
