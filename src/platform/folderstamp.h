#pragma once

#include <QByteArray>
#include <QString>

// A cheap token for what a folder holds: every entry's name, inode and kind
// in the order the file system gives them. When two stamps taken one after
// the other are equal, no entry was added, removed, renamed or replaced in
// between, so a listing made from the first still holds. An empty stamp says
// nothing (the folder could not be read).
namespace FolderStamp {

QByteArray of(const QString &folder);

} // namespace FolderStamp
