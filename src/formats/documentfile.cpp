#include "documentfile.h"

#include "plaintext.h"
#include "rtfreader.h"
#include "rtfwriter.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QTextDocument>

#ifdef Q_OS_UNIX
#include <sys/stat.h>
#endif

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

#ifdef Q_OS_UNIX
QString kindOf(mode_t mode)
{
    if (S_ISREG(mode))
        return QString();
    if (S_ISDIR(mode))
        return QStringLiteral("a folder");
    if (S_ISFIFO(mode))
        return QStringLiteral("a named pipe");
    if (S_ISSOCK(mode))
        return QStringLiteral("a socket");
    return QStringLiteral("a device");
}
#endif

QString notAFile(const QString &kind)
{
    return QStringLiteral("It is %1, not a file.").arg(kind);
}

// RTF may be preceded by a UTF-8 byte-order mark and blank space, which
// some programs put before it.
qsizetype rtfStart(QByteArrayView bytes)
{
    qsizetype i = bytes.startsWith("\xef\xbb\xbf") ? 3 : 0;
    while (i < bytes.size() && (bytes[i] == ' ' || bytes[i] == '\t' || bytes[i] == '\r' || bytes[i] == '\n'))
        ++i;
    return bytes.sliced(i).startsWith("{\\rtf") ? i : -1;
}

} // namespace

QString notOrdinaryFile(const QString &path)
{
#ifdef Q_OS_UNIX
    struct stat status;
    if (::stat(QFile::encodeName(path).constData(), &status) != 0)
        return QString();
    return kindOf(status.st_mode);
#else
    const QFileInfo info(path);
    return info.isDir() ? QStringLiteral("a folder") : QString();
#endif
}

ReadResult read(const QString &path, Format format, QTextDocument &document)
{
    if (const QString kind = notOrdinaryFile(path); !kind.isEmpty())
        return {notAFile(kind), false, {}};
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {sentence(file.errorString()), false, {}};
#ifdef Q_OS_UNIX
    // Something put in the file's place between the look and the opening is
    // still not read.
    struct stat status;
    if (::fstat(file.handle(), &status) == 0 && !kindOf(status.st_mode).isEmpty())
        return {notAFile(kindOf(status.st_mode)), false, {}};
#endif
    if (file.size() > MaxFileSize)
        return {QStringLiteral("The file is too large to open (%1 MB).").arg(file.size() >> 20), false, {}};

    // Mapping the file spares a copy of it; devices that cannot be mapped are read.
    QByteArray readBytes;
    QByteArrayView bytes;
    if (const uchar *mapped = file.size() > 0 ? file.map(0, file.size()) : nullptr) {
        bytes = QByteArrayView(mapped, file.size());
    } else {
        readBytes = file.read(MaxFileSize + 1);
        if (file.error() != QFileDevice::NoError)
            return {sentence(file.errorString()), false, {}};
        if (readBytes.size() > MaxFileSize)
            return {QStringLiteral("The file is too large to open."), false, {}};
        bytes = readBytes;
    }

    if (const qsizetype start = format == Format::Detect ? rtfStart(bytes) : -1; start >= 0) {
        const RtfReader::Result result = RtfReader::read(bytes.sliced(start), document);
        return {QString(), result.droppedPictures, result.dropped};
    }
    const bool utf16 = bytes.startsWith("\xff\xfe") || bytes.startsWith("\xfe\xff");
    if (!utf16 && bytes.contains('\0'))
        return {QStringLiteral("It is not a text or RTF document: it holds binary data."), false, {}};
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
