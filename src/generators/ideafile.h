#pragma once

#include <QStringList>

// An idea file: plain text, one idea a line. CR LF, a lone CR and a lone LF
// each end a line; an empty line is an (empty) idea. The text is UTF-8 when
// it is valid UTF-8 or carries a byte-order mark, Windows-1252 otherwise.
struct IdeaFile
{
    enum class Status { Read, Missing, Unreadable };

    Status status = Status::Missing;
    QStringList ideas;
    QString error; // why an existing file could not be read

    static IdeaFile read(const QString &path);
};
