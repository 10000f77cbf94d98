#include "documenttext.h"

#include "documentproperties.h"

#include <QTextBlock>
#include <QTextDocument>
#include <QTextList>
#include <QTextTable>

namespace DocumentText {

namespace {

QString blockText(const QTextBlock &block)
{
    QString text;
    if (const QTextList *list = block.textList()) {
        const QTextListFormat::Style style = list->format().style();
        const bool bullet = style == QTextListFormat::ListDisc || style == QTextListFormat::ListCircle
            || style == QTextListFormat::ListSquare;
        text = (bullet ? QStringLiteral("\u2022") : list->itemText(block)) + u'\t';
    }
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

void appendFrame(const QTextFrame *frame, QString &out);

void takeTable(const QTextTable *table, const Take &take)
{
    QString out;
    for (int r = 0; r < table->rows(); ++r) {
        for (int c = 0; c < table->columns(); ++c) {
            const QTextTableCell cell = table->cellAt(r, c);
            if (c > 0)
                out += u'\t';
            if (cell.row() != r || cell.column() != c)
                continue; // covered by a merged cell
            QString text;
            for (auto it = cell.begin(); !it.atEnd(); ++it) {
                if (const QTextFrame *inner = it.currentFrame()) {
                    appendFrame(inner, text);
                    continue;
                }
                if (!text.isEmpty())
                    text += u' ';
                text += blockText(it.currentBlock());
            }
            out += text;
        }
        take(std::exchange(out, QString()));
    }
}

void takeFrame(const QTextFrame *frame, const Take &take)
{
    bool afterTable = false;
    for (auto it = frame->begin(); !it.atEnd(); ++it) {
        const bool atStart = it == frame->begin();
        if (const auto *table = qobject_cast<const QTextTable *>(it.currentFrame())) {
            takeTable(table, take);
            afterTable = true;
        } else if (DocumentProperty::isTableMargin(it, atStart, std::exchange(afterTable, false))) {
            continue;
        } else if (const QTextFrame *inner = it.currentFrame())
            takeFrame(inner, take);
        else
            take(blockText(it.currentBlock()));
    }
}

// A table in a cell, its rows joined by spaces.
void appendFrame(const QTextFrame *frame, QString &out)
{
    takeFrame(frame, [&out](const QString &line) { out += (out.isEmpty() ? QString() : QStringLiteral(" ")) + line; });
}

} // namespace

void forEachLine(const QTextDocument &document, const Take &take)
{
    takeFrame(document.rootFrame(), take);
}

QString plainText(const QTextDocument &document)
{
    QString text;
    forEachLine(document, [&text](const QString &line) { text += line + u'\n'; });
    return text;
}

} // namespace DocumentText
