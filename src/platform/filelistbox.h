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
    QFileSystemWatcher *m_watcher;
};
