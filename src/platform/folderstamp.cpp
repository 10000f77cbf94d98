#include "folderstamp.h"

#include <QFile>

#include <dirent.h>

namespace FolderStamp {

QByteArray of(const QString &folder)
{
    DIR *dir = ::opendir(QFile::encodeName(folder).constData());
    if (!dir)
        return QByteArray();
    QByteArray stamp;
    stamp.reserve(64 * 1024);
    while (const dirent *entry = ::readdir(dir)) {
        stamp.append(reinterpret_cast<const char *>(&entry->d_ino), sizeof entry->d_ino);
        stamp.append(char(entry->d_type));
        stamp.append(entry->d_name, qsizetype(qstrlen(entry->d_name)) + 1);
    }
    ::closedir(dir);
    return stamp;
}

} // namespace FolderStamp
