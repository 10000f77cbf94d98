#include "dirlistbox.h"

#include "folderlisting.h"

#include <QDir>
#include <QFileInfo>
#include <QStyle>

DirListBox::DirListBox(QWidget *parent)
    : QTreeWidget(parent)
{
    setHeaderHidden(true);
    setRootIsDecorated(false);
    setItemsExpandable(false);
    setIndentation(8);
    setSelectionMode(QAbstractItemView::SingleSelection);
    // Whoever follows Change lists the folder's files and reports a folder
    // that cannot be read.
    connect(this, &QTreeWidget::itemActivated, this,
            [this](QTreeWidgetItem *item) { setPath(item->data(0, Qt::UserRole).toString()); });
}

QString DirListBox::setPath(const QString &path)
{
    const QString cleaned = QDir::cleanPath(QFileInfo(path).absoluteFilePath());
    const bool changed = cleaned != m_path;
    m_path = cleaned;
    clear();

    const QIcon openIcon = style()->standardIcon(QStyle::SP_DirOpenIcon);
    const QIcon closedIcon = style()->standardIcon(QStyle::SP_DirClosedIcon);
    QStringList chain;
    for (QDir dir(m_path);; ) {
        chain.prepend(dir.absolutePath());
        if (!dir.cdUp())
            break;
    }
    QTreeWidgetItem *parentItem = nullptr;
    for (const QString &folder : std::as_const(chain)) {
        const QString name = QDir(folder).isRoot() ? QDir::toNativeSeparators(folder) : QDir(folder).dirName();
        auto *item = parentItem ? new QTreeWidgetItem(parentItem, {name}) : new QTreeWidgetItem(this, {name});
        item->setIcon(0, openIcon);
        item->setData(0, Qt::UserRole, folder);
        parentItem = item;
    }
    const FolderListing listing = FolderListing::folders(m_path);
    for (const QString &name : listing.names) {
        auto *item = new QTreeWidgetItem(parentItem, {name});
        item->setIcon(0, closedIcon);
        item->setData(0, Qt::UserRole, QDir(m_path).filePath(name));
    }
    expandAll();
    setCurrentItem(parentItem);
    scrollToItem(parentItem);

    if (changed)
        Q_EMIT Change();
    return listing.error;
}
