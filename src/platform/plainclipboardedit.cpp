#include "plainclipboardedit.h"

#include "spellinghighlighter.h"

#include <QContextMenuEvent>
#include <QMenu>
#include <QMimeData>

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
