#pragma once

#include <QTreeWidget>

// A folder with its ancestors above it and its subfolders below it. Opening
// an entry (double-click or Enter) moves the list into that folder.
class DirListBox : public QTreeWidget
{
    Q_OBJECT
public:
    explicit DirListBox(QWidget *parent = nullptr);

    QString Path() const { return m_path; }
    // Shows the folder; when it cannot be read its subfolders stay unlisted
    // and the result says why. Emits Change when the path changed.
    QString setPath(const QString &path);

Q_SIGNALS:
    void Change();

private:
    QString m_path;
};
