#pragma once

#include <QString>
#include <QStringList>

class QTextDocument;

// Reading and writing whole documents on disk.
namespace DocumentFile {

enum class Format {
    Detect,    // RTF when the file starts with "{\rtf" (after a byte-order mark and blanks), plain text otherwise
    PlainText, // plain text whatever the file holds
};

struct ReadResult
{
    QString error; // empty on success
    // The file held pictures in a format that cannot be kept.
    bool droppedPictures = false;
    // Everything the file held that a save will not keep, each named.
    QStringList dropped;
};

// What the path names when it is not an ordinary file ("a named pipe", "a
// device", "a socket", "a folder"), or "" for an ordinary file or a path that
// names nothing. Opening a pipe waits for a writer and a device may never
// end, so nothing that is not an ordinary file is opened for reading.
QString notOrdinaryFile(const QString &path);

// Fills an empty document from the file. On failure the document may hold
// part of the file and should be thrown away.
ReadResult read(const QString &path, Format format, QTextDocument &document);

// Stores the document as RTF, whatever the file's name. The file is replaced
// only once the whole document is written; on failure the file that was
// there stays as it was. Returns the reason of a failure, or "".
QString write(const QString &path, const QTextDocument &document);

// Stores the bytes in the file on the same terms.
QString writeBytes(const QString &path, const QByteArray &bytes);

// Files beyond this size are refused rather than read into memory.
constexpr qint64 MaxFileSize = qint64(1) << 30;

} // namespace DocumentFile
