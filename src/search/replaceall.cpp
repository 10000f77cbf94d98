#include "replaceall.h"

#include "textsearch.h"
#include "platform/richtextbox.h"

#include <QAbstractTextDocumentLayout>
#include <QScrollBar>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextEdit>

qsizetype ReplaceAll(RichTextBox &editor, const TextSearch &search, const QString &replacement)
{
    // The matches are all found in the text as it stands, once, so the work
    // grows with the text and the number of matches rather than their product.
    const QList<qsizetype> matches = search.findForReplacement(editor.Text(), replacement);
    if (matches.isEmpty())
        return 0;

    // The caret is put after the last match while the layout still stands;
    // the edits carry it to the end of the last replacement. The view stays
    // where the user was reading.
    QTextEdit &view = *editor.textEdit();
    QScrollBar &scroll = *view.verticalScrollBar();
    const int top = scroll.value();
    editor.setSelStart(int(matches.last() + search.length()));
    scroll.setValue(top);

    // Laying out every changed paragraph before the press returns would cost
    // far more than the replacements themselves. Without a page size the
    // layout only notes what changed; given its page back, it starts over
    // lazily, as after loading a file, and only the part in view is laid out
    // at once.
    QTextDocument &document = *editor.document();
    const QSizeF page = document.pageSize();
    document.setPageSize(QSizeF());
    QTextCursor cursor(&document);
    cursor.beginEditBlock();
    const qsizetype shift = replacement.size() - search.length();
    qsizetype moved = 0;
    for (const qsizetype at : matches) {
        cursor.setPosition(int(at + moved));
        cursor.setPosition(int(at + moved + search.length()), QTextCursor::KeepAnchor);
        cursor.insertText(replacement);
        moved += shift;
    }
    cursor.endEditBlock();
    document.setPageSize(page);
    document.documentLayout()->hitTest(QPointF(0, top + view.viewport()->height()), Qt::FuzzyHit);
    scroll.setValue(top);
    return matches.size();
}
