#include "replaceall.h"

#include "textsearch.h"
#include "platform/richtextbox.h"

#include <QTextCursor>
#include <QTextDocument>

qsizetype ReplaceAll(RichTextBox &editor, const TextSearch &search, const QString &replacement)
{
    // The matches are all found in the text as it stands, once, so the work
    // grows with the text and the number of matches rather than their product.
    const QList<qsizetype> matches = search.findForReplacement(editor.Text(), replacement);
    if (matches.isEmpty())
        return 0;

    QTextCursor cursor(editor.document());
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
    editor.setSelStart(cursor.position());
    return matches.size();
}
