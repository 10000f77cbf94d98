#include "ideafile.h"

#include "formats/documentfile.h"
#include "formats/plaintext.h"

#include <QFile>
#include <QFileInfo>

IdeaFile IdeaFile::read(const QString &path)
{
    IdeaFile file;
    if (path.isEmpty() || !QFileInfo::exists(path))
        return file;
    file.status = Status::Unreadable;
    if (const QString kind = DocumentFile::notOrdinaryFile(path); !kind.isEmpty()) {
        file.error = QStringLiteral("it is %1, not a file").arg(kind);
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
