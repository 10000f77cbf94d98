#include "listlabelpainter.h"

#include "firstblockinview.h"
#include "formats/listlabels.h"

#include <QAbstractTextDocumentLayout>
#include <QPainter>
#include <QPalette>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextLayout>

namespace {

void paintLabel(QPainter &painter, const QTextDocument &document, const QTextBlock &block, const QPointF &topLeft,
                const QPalette &palette, bool selected)
{
    const QTextLayout *layout = block.layout();
    if (layout->lineCount() == 0)
        return;
    const QString label = ListLabels::labelOf(block);
    const QTextCharFormat format = block.charFormat();
    QPaintDevice *device = document.documentLayout()->paintDevice();
    const QFont font = device ? QFont(format.font(), device) : format.font();
    const QFontMetrics metrics(font);
    const Qt::LayoutDirection direction = block.textDirection();
    const QRectF firstLine = layout->lineAt(0).naturalTextRect();
    QPoint at = topLeft.toPoint() + firstLine.topLeft().toPoint();
    if (direction == Qt::RightToLeft)
        at.rx() += int(firstLine.width());
    const int space = metrics.horizontalAdvance(u' ');
    const qreal left = direction == Qt::LeftToRight ? at.x() - space - metrics.horizontalAdvance(label) : at.x() + space;

    QTextLayout shown(label, font, device);
    QTextOption option(Qt::AlignLeft | Qt::AlignAbsolute);
    option.setTextDirection(direction);
    shown.setTextOption(option);
    shown.beginLayout();
    QTextLine line = shown.createLine();
    if (line.isValid())
        line.setLeadingIncluded(true);
    shown.endLayout();

    painter.save();
    if (selected) {
        painter.fillRect(QRectF(left, at.y(), metrics.horizontalAdvance(label), metrics.height()),
                         palette.brush(QPalette::Highlight));
        painter.setPen(palette.color(QPalette::HighlightedText));
    } else {
        painter.setPen(format.foreground().style() != Qt::NoBrush ? QPen(format.foreground(), 0)
                                                                  : QPen(palette.color(QPalette::Text)));
    }
    shown.draw(&painter, QPointF(left, at.y()));
    painter.restore();
}

bool inTable(const QTextBlock &block)
{
    return QTextCursor(block).currentTable() != nullptr;
}

} // namespace

void ListLabelPainter::paint(QPainter &painter, const QTextDocument &document, const QRectF &clip, const QPalette &palette,
                             const QTextCursor &selection)
{
    QAbstractTextDocumentLayout *layout = document.documentLayout();
    // From the first paragraph at the clip's top, left of every column of
    // a table there, to the first below it; the cells of a table's row
    // come one after another, so the walk passes below the clip in a tall
    // cell and comes back up in the next.
    for (QTextBlock block = firstBlockInView(document, QPointF(0, clip.top())); block.isValid(); block = block.next()) {
        const QRectF bounds = layout->blockBoundingRect(block);
        if (bounds.top() > clip.bottom() && !inTable(block))
            break;
        if (ListLabels::isDrawnByEditor(block) && bounds.top() <= clip.bottom() && bounds.bottom() >= clip.top())
            paintLabel(painter, document, block, bounds.topLeft(), palette,
                       selection.selectionStart() <= block.position() && block.position() < selection.selectionEnd());
    }
}
