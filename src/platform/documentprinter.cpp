#include "documentprinter.h"

#include "keptpartobject.h"
#include "listlabelpainter.h"

#include <QAbstractTextDocumentLayout>
#include <QGuiApplication>
#include <QPainter>
#include <QPrinter>
#include <QScreen>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextFrame>

#include <memory>

void DocumentPrinter::print(const QTextDocument &source, QPrinter &printer, KeptPartObject &keptParts)
{
    if (printer.pageLayout().margins(QPageLayout::Millimeter).isNull())
        printer.setPageMargins(QMarginsF(2, 2, 2, 2), QPageLayout::Millimeter);
    QPainter painter(&printer);
    if (!painter.isActive())
        return;

    // Laid out on the printer, with margins of 2 cm at the screen's
    // resolution, which the layout scales to the printer's.
    const std::unique_ptr<QTextDocument> document(source.clone());
    keptParts.serve(document.get());
    QAbstractTextDocumentLayout *layout = document->documentLayout();
    layout->setPaintDevice(painter.device());
    const QScreen *screen = QGuiApplication::primaryScreen();
    const qreal screenDpiX = screen ? qRound(screen->logicalDotsPerInchX()) : 96;
    const qreal screenDpiY = screen ? qRound(screen->logicalDotsPerInchY()) : 96;
    const int marginX = int(2 / 2.54 * screenDpiX);
    const int marginY = int(2 / 2.54 * screenDpiY);
    QTextFrameFormat frame = document->rootFrame()->frameFormat();
    frame.setLeftMargin(marginX);
    frame.setRightMargin(marginX);
    frame.setTopMargin(marginY);
    frame.setBottomMargin(marginY);
    document->rootFrame()->setFrameFormat(frame);
    const QRectF body(0, 0, printer.width(), printer.height());
    const QPointF pageNumberAt(body.width() - marginX * printer.logicalDpiX() / screenDpiX,
                               body.height() - marginY * printer.logicalDpiY() / screenDpiY
                                   + QFontMetrics(document->defaultFont(), painter.device()).ascent()
                                   + 5 * painter.device()->logicalDpiY() / 72.0);
    document->setPageSize(body.size());

    // The print dialog offers no page range: every page is printed.
    const int pages = document->pageCount();
    for (int page = 1; page <= pages; ++page) {
        if (page > 1 && !printer.newPage())
            return;
        painter.save();
        const QRectF view(0, (page - 1) * body.height(), body.width(), body.height());
        painter.translate(body.left(), body.top() - view.top());
        painter.setClipRect(view);
        QAbstractTextDocumentLayout::PaintContext context;
        context.clip = view;
        // Black on paper, whatever the screen's colours.
        context.palette.setColor(QPalette::Text, Qt::black);
        layout->draw(&painter, context);
        ListLabelPainter::paint(painter, *document, view, context.palette, QTextCursor());
        painter.setClipping(false);
        painter.setFont(QFont(document->defaultFont()));
        const QString number = QString::number(page);
        painter.drawText(qRound(pageNumberAt.x() - painter.fontMetrics().horizontalAdvance(number)),
                         qRound(pageNumberAt.y() + view.top()), number);
        painter.restore();
    }
}
