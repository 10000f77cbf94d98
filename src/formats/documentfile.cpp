#include "documentfile.h"

#include "plaintext.h"
#include "rtfreader.h"
#include "rtfwriter.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QTextDocument>

namespace DocumentFile {

namespace {

// "No such file or directory" -> "No such file or directory."
QString sentence(const QString &reason)
{
    QString s = reason.isEmpty() ? QStringLiteral("Unknown error") : reason;
    s[0] = s[0].toUpper();
    if (!s.endsWith(u'.'))
        s += u'.';
    return s;
}

} // namespace

ReadResult read(const QString &path, Format format, QTextDocument &document)
{
    const QFileInfo info(path);
    if (info.isDir())
        return {QStringLiteral("It is a folder, not a file."), false};
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {sentence(file.errorString()), false};
    if (file.size() > MaxFileSize)
        return {QStringLiteral("The file is too large to open (%1 MB).").arg(file.size() >> 20), false};

    // Mapping the file spares a copy of it; devices that cannot be mapped are read.
    QByteArray readBytes;
    QByteArrayView bytes;
    if (const uchar *mapped = file.size() > 0 ? file.map(0, file.size()) : nullptr) {
        bytes = QByteArrayView(mapped, file.size());
    } else {
        readBytes = file.read(MaxFileSize + 1);
        if (file.error() != QFileDevice::NoError)
            return {sentence(file.errorString()), false};
        if (readBytes.size() > MaxFileSize)
            return {QStringLiteral("The file is too large to open."), false};
        bytes = readBytes;
    }

    if (format == Format::Detect && bytes.startsWith("{\\rtf")) {
        const RtfReader::Result result = RtfReader::read(bytes, document);
        return {QString(), result.droppedPictures};
    }
    const bool utf16 = bytes.startsWith("\xff\xfe") || bytes.startsWith("\xfe\xff");
    if (!utf16 && bytes.contains('\0'))
        return {QStringLiteral("It is not a text or RTF document: it holds binary data."), false};
    document.setPlainText(PlainText::toLfLineEnds(PlainText::decode(bytes)));
    return {};
}

QString write(const QString &path, const QTextDocument &document)
{
    return writeBytes(path, RtfWriter::write(document));
}

QString writeBytes(const QString &path, const QByteArray &bytes)
{
    if (QFileInfo(path).isDir())
        return QStringLiteral("It is a folder, not a file.");
    QSaveFile file(path);
    // Unbuffered, so that a failed write reports why at once.
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return sentence(file.errorString());
    // A short write says nothing; writing the rest again gives the reason
    // (a full disk, a size limit).
    for (qint64 written = 0; written < bytes.size();) {
        const qint64 n = file.write(bytes.constData() + written, bytes.size() - written);
        if (n <= 0) {
            const QString reason = file.errorString();
            file.cancelWriting();
            return sentence(reason);
        }
        written += n;
    }
    if (!file.commit())
        return sentence(file.errorString());
    return QString();
}

} // namespace DocumentFile
