#pragma once

class QPainter;
class QPalette;
class QRectF;
class QTextCursor;
class QTextDocument;

// Draws the labels that Qt leaves to the editor (lists numbered from other
// than 1, bullets of the file's own character) where and as Qt draws its
// own: right-aligned a space before the item's first line, in the
// paragraph's font.
class ListLabelPainter
{
public:
    // Draws the labels of the items within clip, in document coordinates,
    // over what the document's layout drew: in the palette's text colour
    // unless the paragraph has a colour of its own, and highlighted where
    // the selection takes in the item's start, as Qt highlights its own.
    static void paint(QPainter &painter, const QTextDocument &document, const QRectF &clip, const QPalette &palette,
                      const QTextCursor &selection);
};
