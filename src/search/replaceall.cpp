#include "replaceall.h"

#include "textsearch.h"
#include "platform/richtextbox.h"

#include <QAbstractTextDocumentLayout>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextEdit>
#include <QTextLayout>

#include <algorithm>

namespace {

// The top of the laid-out line that holds `position`, in document pixels;
// lays the document out as far as that line.
int lineTop(const QTextDocument &document, int position)
{
    const QTextBlock block = document.findBlock(position);
    const QRectF area = document.documentLayout()->blockBoundingRect(block);
    const QTextLine line = block.layout()->lineForTextPosition(position - block.position());
    return qRound(area.top() + (line.isValid() ? line.y() : 0));
}

} // namespace

qsizetype ReplaceAll(RichTextBox &editor, const TextSearch &search, const QString &replacement)
{
    // The matches are all found in the text as it stands, once, so the work
    // grows with the text and the number of matches rather than their product.
    const QList<qsizetype> matches = search.findForReplacement(editor.Text(), replacement);
    if (matches.isEmpty())
        return 0;

    // The text at the top of the view stays there.
    QTextDocument &document = *editor.document();
    QTextEdit &view = *editor.textEdit();
    QScrollBar &scroll = *view.verticalScrollBar();
    const int firstShown = view.cursorForPosition(QPoint(0, 0)).position();
    const int hiddenAbove = scroll.value() - lineTop(document, firstShown);
    const qsizetype length = search.length();
    const qsizetype shift = replacement.size() - length;
    const auto before = std::lower_bound(matches.cbegin(), matches.cend(), firstShown);
    qsizetype replacedBefore = before - matches.cbegin();
    qsizetype firstShownAfter = firstShown + replacedBefore * shift;
    if (replacedBefore > 0 && *(before - 1) + length > firstShown) // inside a match
        firstShownAfter = *(before - 1) + --replacedBefore * shift;

    // The caret is put after the last match while the layout still stands;
    // the edits carry it to the end of the last replacement.
    editor.setSelStart(int(matches.last() + length));

    // Laying out every changed paragraph before the press returns would cost
    // far more than the replacements themselves. Without a page size the
    // layout only notes what changed; given its page back, it starts over
    // lazily, as after loading a file, and only as far as the view reaches
    // at once.
    const QSizeF page = document.pageSize();
    document.setPageSize(QSizeF());
    QTextCursor cursor(&document);
    cursor.beginEditBlock();
    qsizetype moved = 0;
    for (const qsizetype at : matches) {
        cursor.setPosition(int(at + moved));
        cursor.setPosition(int(at + moved + length), QTextCursor::KeepAnchor);
        cursor.insertText(replacement);
        moved += shift;
    }
    cursor.endEditBlock();

    int top = 0;
    {
        // The view hears of the new size only after the part it shows is laid
        // out, or it would shrink its scroll range to the little laid out so
        // far and lose its place.
        const QSignalBlocker quiet(document.documentLayout());
        document.setPageSize(page);
        top = lineTop(document, int(firstShownAfter)) + hiddenAbove;
        document.documentLayout()->hitTest(QPointF(0, top + view.viewport()->height()), Qt::FuzzyHit);
    }
    scroll.setMaximum(qMax(scroll.maximum(), top));
    scroll.setValue(top);
    view.viewport()->update();
    return matches.size();
}
