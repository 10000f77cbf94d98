#include "plaintext.h"

#include "codepage.h"

#include <QStringDecoder>

namespace PlainText {

QString decode(QByteArrayView bytes)
{
    const auto startsWith = [&](std::initializer_list<unsigned char> mark) {
        if (bytes.size() < qsizetype(mark.size()))
            return false;
        qsizetype i = 0;
        for (const unsigned char b : mark)
            if (static_cast<unsigned char>(bytes[i++]) != b)
                return false;
        return true;
    };
    if (startsWith({0xEF, 0xBB, 0xBF}))
        return QString::fromUtf8(bytes.sliced(3));
    if (startsWith({0xFF, 0xFE}) || startsWith({0xFE, 0xFF})) {
        const bool littleEndian = static_cast<unsigned char>(bytes[0]) == 0xFF;
        QStringDecoder utf16(littleEndian ? QStringDecoder::Utf16LE : QStringDecoder::Utf16BE,
                             QStringDecoder::Flag::Stateless);
        return utf16.decode(bytes.sliced(2));
    }

    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = utf8.decode(bytes);
    if (!utf8.hasError())
        return text;
    return CodePage(CodePage::Windows1252).decode(bytes);
}

QStringList splitLines(QStringView text)
{
    QStringList lines;
    qsizetype start = 0;
    const qsizetype n = text.size();
    for (qsizetype i = 0; i < n; ++i) {
        const QChar c = text[i];
        if (c != u'\r' && c != u'\n')
            continue;
        lines.append(text.mid(start, i - start).toString());
        if (c == u'\r' && i + 1 < n && text[i + 1] == u'\n')
            ++i;
        start = i + 1;
    }
    if (start < n)
        lines.append(text.mid(start).toString());
    return lines;
}

QString toLfLineEnds(QStringView text)
{
    if (!text.contains(u'\r'))
        return text.toString();
    QString out;
    out.reserve(text.size());
    const qsizetype n = text.size();
    for (qsizetype i = 0; i < n; ++i) {
        const QChar c = text[i];
        if (c == u'\r') {
            out.append(u'\n');
            if (i + 1 < n && text[i + 1] == u'\n')
                ++i;
        } else {
            out.append(c);
        }
    }
    return out;
}

} // namespace PlainText
