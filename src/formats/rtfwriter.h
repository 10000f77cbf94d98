#pragma once

#include <QByteArray>

class QTextDocument;

// Writes a Qt rich-text document as RTF: font and colour tables, paragraph
// alignment, indents, spacing and page breaks, bold, italic, underline,
// strike-through, super- and subscript, font, size, text and background
// colour, and pictures as PNG or JPEG. Every character outside ASCII is
// written as \uN with a Windows-1252 fallback. RtfReader reads the result
// back into the same text and formatting.
class RtfWriter
{
public:
    static QByteArray write(const QTextDocument &document);
};
