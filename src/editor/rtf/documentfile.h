#pragma once

#include <QString>

class QTextDocument;

// Reading and writing whole documents on disk.
namespace DocumentFile {

enum class Format {
    Detect,    // RTF when the file starts with "{\rtf", plain text otherwise
    PlainText, // plain text whatever the file holds
};

struct ReadResult
{
    QString error; // empty on success
    // The file held pictures in a format that cannot be kept.
    bool droppedPictures = false;
};

// Fills an empty document from the file. On failure the document may hold
// part of the file and should be thrown away.
ReadResult read(const QString &path, Format format, QTextDocument &document);

// Why a file cannot be read or written, in words for the user.
QString describeError(const QString &reason);

} // namespace DocumentFile
