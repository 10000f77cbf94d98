#pragma once

#include <QAbstractTextDocumentLayout>

// Stands in for a document's layout while its whole text is rewritten. Qt's
// own layout would lay out every changed character at once (seconds for a
// novel); with this one in place nothing is laid out during the rewrite,
// and the standard layout that follows works as on a freshly loaded
// document: the visible part at once, the rest while the editor is idle.
class PendingTextLayout : public QAbstractTextDocumentLayout
{
    Q_OBJECT
public:
    using QAbstractTextDocumentLayout::QAbstractTextDocumentLayout;

    void draw(QPainter *, const PaintContext &) override {}
    int hitTest(const QPointF &, Qt::HitTestAccuracy) const override { return -1; }
    int pageCount() const override { return 1; }
    QSizeF documentSize() const override { return {}; }
    QRectF frameBoundingRect(QTextFrame *) const override { return {}; }
    QRectF blockBoundingRect(const QTextBlock &) const override { return {}; }

protected:
    void documentChanged(int, int, int) override {}
};
