#pragma once

#include <QListWidget>

// The files of one folder, sorted by name. Hidden files are not listed.
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
    // Lists the folder's files. When the folder cannot be read the list is
    // empty and the result says why.
    QString setPath(const QString &path);
    // Reads the folder again; the list and its selection stay as they are
    // when nothing changed.
    QString Refresh();
    // The selected name, or "" when nothing is selected.
    QString FileName() const;

Q_SIGNALS:
    void DblClick();

private:
    QString m_path;
    QString m_pattern = QStringLiteral("*.*");
    QByteArray m_stamp; // what the folder held at the last listing
};
