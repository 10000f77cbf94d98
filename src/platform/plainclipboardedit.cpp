#include "plainclipboardedit.h"

#include "listlabelpainter.h"
#include "spellinghighlighter.h"

#include <QContextMenuEvent>
#include <QMenu>
#include <QMimeData>
#include <QPainter>
#include <QScrollBar>

void PlainClipboardEdit::paintEvent(QPaintEvent *event)
{
    QTextEdit::paintEvent(event);
    if (!m_listLabels)
        return;
    // In document coordinates, as QTextEdit draws the document.
    const QScrollBar *across = horizontalScrollBar();
    const QPointF offset(isRightToLeft() ? across->maximum() - across->value() : across->value(),
                         verticalScrollBar()->value());
    const QRectF clip = QRectF(event->rect()).translated(offset);
    QPainter painter(viewport());
    painter.translate(-offset);
    painter.setClipRect(clip);
    ListLabelPainter::paint(painter, *document(), clip, palette(), textCursor());
}

QMimeData *PlainClipboardEdit::createMimeDataFromSelection() const
{
    QString text = textCursor().selectedText();
    text.replace(QChar::ParagraphSeparator, u'\n');
    text.replace(QChar::LineSeparator, u'\n');
    auto *mime = new QMimeData;
    mime->setText(text);
    return mime;
}

bool PlainClipboardEdit::canInsertFromMimeData(const QMimeData *source) const
{
    return source->hasText();
}

void PlainClipboardEdit::insertFromMimeData(const QMimeData *source)
{
    if (!source->hasText())
        return;
    textCursor().insertText(source->text());
    ensureCursorVisible();
}

void PlainClipboardEdit::contextMenuEvent(QContextMenuEvent *event)
{
    const std::unique_ptr<QMenu> menu(createStandardContextMenu(event->pos()));
    if (m_spelling)
        m_spelling->addSuggestions(*menu, cursorForPosition(event->pos()));
    menu->exec(event->globalPos());
}
