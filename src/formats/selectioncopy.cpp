#include "selectioncopy.h"

#include "documentproperties.h"
#include "listlabels.h"

#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextDocumentFragment>
#include <QTextList>

#include <algorithm>
#include <limits>
#include <unordered_map>

namespace SelectionCopy {

std::unique_ptr<QTextDocument> make(const QTextCursor &selection)
{
    auto copy = std::make_unique<QTextDocument>();
    if (!selection.hasSelection() || !selection.document())
        return copy;
    const QTextDocument &document = *selection.document();
    copy->setDefaultFont(document.defaultFont());
    copy->setUndoRedoEnabled(false);
    QTextCursor(copy.get()).insertFragment(QTextDocumentFragment(selection));
    // A selection of table cells is copied cell by cell, which no walk in
    // the document's order follows.
    if (selection.hasComplexSelection())
        return copy;

    const QTextBlock first = document.findBlock(selection.selectionStart());
    const int blocks = document.findBlock(selection.selectionEnd()).blockNumber() - first.blockNumber() + 1;
    if (copy->blockCount() == blocks + 1 && copy->begin().length() == 1) {
        // Removing the empty paragraph from its start keeps the format of
        // the one after it.
        QTextCursor extra(copy.get());
        extra.setPosition(1, QTextCursor::KeepAnchor);
        extra.removeSelectedText();
    }
    if (copy->blockCount() != blocks)
        return copy;
    // The format of its mark, which a list item's label takes.
    QTextCursor(copy->begin()).setBlockCharFormat(first.charFormat());
    // Qt keeps the format of the paragraph the selection starts in only when
    // it is a list's.
    if (!first.textList()) {
        QTextBlockFormat format = first.blockFormat();
        format.clearProperty(QTextFormat::ObjectIndex);
        QTextCursor(copy->begin()).setBlockFormat(format);
    }

    std::unordered_map<const QTextList *, QTextList *> lists; // the document's to the copy's
    QTextBlock original = first;
    for (QTextBlock copied = copy->begin(); copied.isValid(); copied = copied.next(), original = original.next()) {
        const QTextList *list = original.textList();
        if (!list || !copied.textList())
            continue;
        QTextList *&copiedList = lists[list];
        if (!copiedList) {
            copiedList = copied.textList();
            QTextListFormat format = copiedList->format();
            const qint64 start = qint64(ListLabels::startOf(format)) + list->itemNumber(original);
            format.setProperty(DocumentProperty::ListStart, int(std::min<qint64>(start, std::numeric_limits<int>::max())));
            copiedList->setFormat(format);
        }
        if (!ListLabels::drawnByQt(copiedList->format()))
            ListLabels::markDrawnByEditor(copied);
    }
    return copy;
}

} // namespace SelectionCopy
