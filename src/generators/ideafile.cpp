#include "ideafile.h"

#include "formats/plaintext.h"

#include <QFile>
#include <QFileInfo>

IdeaFile IdeaFile::read(const QString &path)
{
    IdeaFile file;
    const QFileInfo info(path);
    if (path.isEmpty() || !info.exists())
        return file;
    file.status = Status::Unreadable;
    if (info.isDir()) {
        file.error = QStringLiteral("it is a folder, not a file");
        return file;
    }
    QFile device(path);
    if (!device.open(QIODevice::ReadOnly)) {
        file.error = device.errorString();
        return file;
    }
    const QByteArray bytes = device.readAll();
    if (device.error() != QFileDevice::NoError) {
        file.error = device.errorString();
        return file;
    }
    file.ideas = PlainText::decodeLines(bytes);
    file.status = Status::Read;
    return file;
}
