#include "folderlisting.h"

#include <QDir>
#include <QFileInfo>

namespace {

QString unreadableReason(const QString &folder)
{
    const QFileInfo info(folder);
    if (!info.exists())
        return QStringLiteral("The folder \"%1\" does not exist.").arg(QDir::toNativeSeparators(folder));
    if (!info.isDir())
        return QStringLiteral("\"%1\" is not a folder.").arg(QDir::toNativeSeparators(folder));
    if (!info.isReadable() || !info.isExecutable())
        return QStringLiteral("The folder \"%1\" cannot be read: permission denied.")
            .arg(QDir::toNativeSeparators(folder));
    return QString();
}

FolderListing list(const QString &folder, const QStringList &nameFilters, QDir::Filters filters)
{
    FolderListing listing;
    listing.error = unreadableReason(folder);
    if (listing.error.isEmpty())
        listing.names = QDir(folder).entryList(nameFilters, filters, QDir::Name | QDir::IgnoreCase);
    return listing;
}

} // namespace

FolderListing FolderListing::files(const QString &folder, const QString &pattern)
{
    QStringList filters = pattern.split(u';', Qt::SkipEmptyParts);
    for (QString &f : filters) {
        f = f.trimmed();
        if (f == u"*.*") // every file, with or without a dot in its name
            f = QStringLiteral("*");
    }
    return list(folder, filters, QDir::Files);
}

FolderListing FolderListing::folders(const QString &folder)
{
    return list(folder, {}, QDir::Dirs | QDir::NoDotAndDotDot);
}
