#include "specialfiles.h"

#include <QDir>
#include <QFile>

#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <cstring>

QString makeSpecialFile(const QString &folder, const QString &name, SpecialFile kind)
{
    const QString path = QDir(folder).filePath(name);
    const QByteArray native = QFile::encodeName(path);
    switch (kind) {
    case SpecialFile::NamedPipe:
        return ::mkfifo(native.constData(), 0600) == 0 ? path : QString();
    case SpecialFile::Device:
        return QFile::link(QStringLiteral("/dev/zero"), path) ? path : QString();
    case SpecialFile::Socket: {
        sockaddr_un address{};
        address.sun_family = AF_UNIX;
        if (size_t(native.size()) >= sizeof address.sun_path)
            return QString();
        std::memcpy(address.sun_path, native.constData(), size_t(native.size()));
        const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
        if (fd < 0)
            return QString();
        const bool bound = ::bind(fd, reinterpret_cast<const sockaddr *>(&address), sizeof address) == 0;
        ::close(fd); // the name stays in the folder
        return bound ? path : QString();
    }
    }
    return QString();
}
