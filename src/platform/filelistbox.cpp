#include "filelistbox.h"

#include "folderlisting.h"
#include "folderstamp.h"

#include <QFileInfo>
#include <QFileSystemWatcher>

FileListBox::FileListBox(QWidget *parent)
    : QListWidget(parent)
    , m_watcher(new QFileSystemWatcher(this))
{
    setSelectionMode(QAbstractItemView::SingleSelection);
    connect(this, &QListWidget::itemDoubleClicked, this, [this] { Q_EMIT DblClick(); });
    // A folder that vanished empties the list; there is nobody to tell why.
    connect(m_watcher, &QFileSystemWatcher::directoryChanged, this, [this] { Refresh(); });
}

QString FileListBox::setPath(const QString &path)
{
    if (const QStringList watched = m_watcher->directories(); !watched.isEmpty())
        m_watcher->removePaths(watched);
    m_path = path;
    m_stamp.clear();
    clear();
    if (m_follows && QFileInfo(path).isDir())
        m_watcher->addPath(path);
    return Refresh();
}

QString FileListBox::Refresh()
{
    if (m_path.isEmpty())
        return QString();
    // Listing and sorting a large folder is slow; seeing that it is as it
    // was is not.
    QByteArray stamp = FolderStamp::of(m_path);
    if (!stamp.isEmpty() && stamp == m_stamp)
        return QString();
    m_stamp = std::move(stamp);
    const FolderListing listing = FolderListing::files(m_path, m_pattern);
    QStringList shown;
    shown.reserve(count());
    for (int i = 0; i < count(); ++i)
        shown.append(item(i)->text());
    if (shown != listing.names) {
        const QString selected = FileName();
        clear();
        addItems(listing.names);
        if (const qsizetype row = listing.names.indexOf(selected); !selected.isEmpty() && row >= 0)
            setCurrentRow(int(row));
    }
    return listing.error;
}

QString FileListBox::FileName() const
{
    const QListWidgetItem *current = currentItem();
    return current && current->isSelected() ? current->text() : QString();
}
