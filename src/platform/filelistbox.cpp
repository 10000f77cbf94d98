#include "filelistbox.h"

#include "folderlisting.h"
#include "folderstamp.h"

FileListBox::FileListBox(QWidget *parent)
    : QListWidget(parent)
{
    setSelectionMode(QAbstractItemView::SingleSelection);
    connect(this, &QListWidget::itemDoubleClicked, this, [this] { Q_EMIT DblClick(); });
}

QString FileListBox::setPath(const QString &path)
{
    m_path = path;
    m_stamp.clear();
    clear();
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
        clear();
        addItems(listing.names);
    }
    return listing.error;
}

QString FileListBox::FileName() const
{
    const QListWidgetItem *current = currentItem();
    return current && current->isSelected() ? current->text() : QString();
}
