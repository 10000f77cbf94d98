#include "documenttext.h"

#include "documentproperties.h"
#include "listitemcounter.h"
#include "listlabels.h"
#include "tablecells.h"

#include <QTextBlock>
#include <QTextDocument>
#include <QTextList>
#include <QTextTable>

namespace DocumentText {

namespace {

QString blockText(const QTextBlock &block, ListItemCounter &items)
{
    QString text;
    if (const QTextList *list = block.textList())
        text = ListLabels::labelOf(block, items.itemNumber(*list, block)) + u'\t';
    for (auto it = block.begin(); !it.atEnd(); ++it) {
        const QTextCharFormat format = it.fragment().charFormat();
        if (format.objectType() == DocumentProperty::KeptObjectType)
            continue;
        text += it.fragment().text();
        if (format.hasProperty(DocumentProperty::NoteText))
            text += u'[' + format.stringProperty(DocumentProperty::NoteText) + u']';
    }
    return text.replace(QChar::LineSeparator, u'\n');
}

using Take = std::function<void(const QString &)>;

void takeContent(QTextFrame::iterator it, const Take &take, ListItemCounter &items);

void takeTable(const QTextTable *table, const Take &take, ListItemCounter &items)
{
    QString out;
    const TableCells cells(*table);
    for (int r = 0; r < table->rows(); ++r) {
        for (int c = 0; c < table->columns(); ++c) {
            if (c > 0)
                out += u'\t';
            if (!cells.startsAt(r, c))
                continue; // covered by a merged cell
            const QTextTableCell cell = table->cellAt(r, c);
            // The cell's paragraphs, and the rows of a table in it, joined by spaces.
            QString text;
            takeContent(
                cell.begin(),
                [&text](const QString &line) {
                    if (!text.isEmpty())
                        text += u' ';
                    text += line;
                },
                items);
            out += text;
        }
        take(std::exchange(out, QString()));
    }
}

void takeContent(QTextFrame::iterator it, const Take &take, ListItemCounter &items)
{
    bool afterTable = false;
    for (const QTextFrame::iterator begin = it; !it.atEnd(); ++it) {
        if (const auto *table = qobject_cast<const QTextTable *>(it.currentFrame())) {
            takeTable(table, take, items);
            afterTable = true;
        } else if (DocumentProperty::isTableMargin(it, it == begin, std::exchange(afterTable, false))) {
            continue;
        } else if (const QTextFrame *inner = it.currentFrame()) {
            takeContent(inner->begin(), take, items);
        } else {
            take(blockText(it.currentBlock(), items));
        }
    }
}

} // namespace

void forEachLine(const QTextDocument &document, const Take &take)
{
    ListItemCounter items;
    takeContent(document.rootFrame()->begin(), take, items);
}

QString plainText(const QTextDocument &document)
{
    QString text;
    forEachLine(document, [&text](const QString &line) { text += line + u'\n'; });
    return text;
}

} // namespace DocumentText
