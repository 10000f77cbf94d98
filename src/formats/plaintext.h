#pragma once

#include <QByteArrayView>
#include <QString>
#include <QStringList>

// Reading plain-text files as writers have them: saved by any editor on any
// system, with or without a byte-order mark, with any of the three line ends.
namespace PlainText {

// UTF-8 or UTF-16 when a byte-order mark says so (the mark is dropped);
// otherwise each valid UTF-8 sequence is read as UTF-8 and each byte that
// belongs to none as Windows-1252.
QString decode(QByteArrayView bytes);

// The lines of a text file, decoded as decode() does. CR LF, a lone CR and a
// lone LF each end a line. A line end at the very end of the file starts no
// further line, so "" has no lines and "\r\n" has one empty line.
QStringList decodeLines(QByteArrayView bytes);

// The text with every CR LF and lone CR turned into LF.
QString toLfLineEnds(QStringView text);

} // namespace PlainText
