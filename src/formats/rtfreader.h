#pragma once

#include <QByteArrayView>
#include <QStringList>

class QTextDocument;

// Reads RTF into a Qt rich-text document, with the formatting the editor can
// show: bold, italic, underline, strike-through, super- and subscript, hidden
// text (greyed), fonts, sizes, text and background colours, paragraph
// alignment, indents, spacing and page breaks, tables, lists, and PNG and
// JPEG pictures. Footnotes stand as their numbers with their text over them;
// footnotes, comments, headers, footers and the information group are kept
// for the writer as they came (see documentproperties.h). Whatever else the
// editor cannot show is skipped whole, never spilled as text, and named in
// the result when it held the writer's text.
//
// Any input at all ends in a document: broken, truncated or hostile RTF is
// read as far as it makes sense, in time and memory proportional to its size.
class RtfReader
{
public:
    struct Result
    {
        // The RTF held pictures in formats other than PNG and JPEG; they were
        // left out.
        bool droppedPictures = false;
        // What else the file held that a save will not keep, each named
        // for the writer ("text boxes and shapes").
        QStringList dropped;
    };

    // Fills an empty document.
    static Result read(QByteArrayView rtf, QTextDocument &document);
};
