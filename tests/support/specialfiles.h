#pragma once

#include <QMetaType>
#include <QString>

// Things in a folder that have a name but are no ordinary file, for checking
// that the program refuses to read them.
enum class SpecialFile { NamedPipe, Socket, Device };
Q_DECLARE_METATYPE(SpecialFile)

// Makes one named `name` in `folder` and returns its path, or "" when this
// system cannot. A device is a link to /dev/zero, which never ends; a socket
// stays bound until the folder is removed.
QString makeSpecialFile(const QString &folder, const QString &name, SpecialFile kind);
