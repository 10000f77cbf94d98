#pragma once

#include <QStringList>

// An idea file: plain text, one idea a line. CR LF, a lone CR and a lone LF
// each end a line; an empty line is an (empty) idea. The text is decoded as
// PlainText::decodeLines does: UTF-8 wherever it is valid UTF-8.
struct IdeaFile
{
    enum class Status { Read, Missing, Unreadable };

    Status status = Status::Missing;
    QStringList ideas;
    QString error; // why an existing file could not be read

    static IdeaFile read(const QString &path);
};
