#include "rtfroundtrip.h"

#include "formats/rtfreader.h"
#include "formats/rtfwriter.h"

#include <QTextDocument>

namespace {

QString carriedText(const QTextDocument &document)
{
    QString text = document.toRawText();
    text.removeIf([](QChar c) {
        return (c.unicode() < 0x20 && c != u'\t') || c == QChar::ObjectReplacementCharacter;
    });
    return text;
}

} // namespace

bool rtfRoundTripKeepsText(QByteArrayView rtf)
{
    QTextDocument first;
    RtfReader::read(rtf, first);
    QTextDocument second;
    RtfReader::read(RtfWriter::write(first), second);
    return carriedText(first) == carriedText(second) && first.blockCount() == second.blockCount();
}
