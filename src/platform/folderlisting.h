#pragma once

#include <QStringList>

// The names in one folder, sorted without regard to case, or why the folder
// cannot be read. Hidden entries are left out.
struct FolderListing
{
    QStringList names;
    QString error; // empty when the folder was read

    // Files matching a pattern such as "*.*" or "*.entry" (";" separates several).
    static FolderListing files(const QString &folder, const QString &pattern);
    static FolderListing folders(const QString &folder);
};
