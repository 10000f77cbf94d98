#include "firstblockinview.h"

#include <QAbstractTextDocumentLayout>
#include <QTextDocument>
#include <QTextLayout>

QTextBlock firstBlockInView(const QTextDocument &document, const QPointF &point)
{
    const QTextBlock block = document.findBlock(document.documentLayout()->hitTest(point, Qt::FuzzyHit));
    if (!block.isValid() || block.layout()->lineCount() == 0)
        return document.begin();
    return block;
}
