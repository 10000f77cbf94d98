#include "plainclipboardedit.h"

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
