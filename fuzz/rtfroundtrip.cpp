#include "rtfroundtrip.h"

#include "formats/documentproperties.h"
#include "formats/rtfreader.h"
#include "formats/rtfwriter.h"

#include <QTextBlock>
#include <QTextDocument>

namespace {

// Where a long table is cut into parts is the reader's own choice: a
// vertical merge mark that joins nothing holds a cut back on the first
// reading, and the saved file, which has no such mark, is cut elsewhere.
// So a join's paragraph does not count, nor the end mark of the part before
// it: the next part's start mark then stands where a cell's mark would.
QString carriedText(const QTextDocument &document)
{
    QString text = document.toRawText();
    for (QTextBlock block = document.lastBlock(); block.isValid(); block = block.previous()) {
        if (DocumentProperty::joinsTableParts(block))
            text.remove(block.position() - 1, 1);
    }
    text.removeIf([](QChar c) {
        return (c.unicode() < 0x20 && c != u'\t') || c == QChar::ObjectReplacementCharacter;
    });
    return text;
}

int paragraphs(const QTextDocument &document)
{
    int count = 0;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next())
        count += DocumentProperty::joinsTableParts(block) ? 0 : 1;
    return count;
}

} // namespace

bool rtfRoundTripKeepsText(QByteArrayView rtf)
{
    QTextDocument first;
    RtfReader::read(rtf, first);
    QTextDocument second;
    RtfReader::read(RtfWriter::write(first), second);
    return carriedText(first) == carriedText(second) && paragraphs(first) == paragraphs(second);
}
