#pragma once

#include <QPointF>
#include <QTextBlock>

class QTextDocument;

// The paragraph at `point` of a document's layout, in document coordinates,
// or one before it, found without laying out the text past it. Until the
// text there is laid out, Qt's hit test lands in a part of a long table
// further down, which has no place yet, and going there would lay out the
// whole text; the text is laid out from its start, so the start stands in.
QTextBlock firstBlockInView(const QTextDocument &document, const QPointF &point);
