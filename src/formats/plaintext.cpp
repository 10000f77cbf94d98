#include "plaintext.h"

#include "codepage.h"

#include <QStringDecoder>

namespace PlainText {

namespace {

bool startsWith(QByteArrayView bytes, std::initializer_list<unsigned char> mark)
{
    if (bytes.size() < qsizetype(mark.size()))
        return false;
    qsizetype i = 0;
    for (const unsigned char b : mark)
        if (static_cast<unsigned char>(bytes[i++]) != b)
            return false;
    return true;
}

bool hasUtf16Mark(QByteArrayView bytes)
{
    return startsWith(bytes, {0xFF, 0xFE}) || startsWith(bytes, {0xFE, 0xFF});
}

// Calls `take` with each line, without its line end; stops when it returns false.
template<typename Char, typename Take>
bool forEachLine(const Char *data, qsizetype n, Take take)
{
    qsizetype start = 0;
    for (qsizetype i = 0; i < n; ++i) {
        const Char c = data[i];
        if (c != Char('\r') && c != Char('\n'))
            continue;
        if (!take(start, i - start))
            return false;
        if (c == Char('\r') && i + 1 < n && data[i + 1] == Char('\n'))
            ++i;
        start = i + 1;
    }
    return start >= n || take(start, n - start);
}

} // namespace

QString decode(QByteArrayView bytes)
{
    if (startsWith(bytes, {0xEF, 0xBB, 0xBF}))
        return QString::fromUtf8(bytes.sliced(3));
    if (hasUtf16Mark(bytes)) {
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

QStringList decodeLines(QByteArrayView bytes)
{
    QStringList lines;
    if (hasUtf16Mark(bytes)) {
        const QString text = decode(bytes);
        forEachLine(text.utf16(), text.size(), [&](qsizetype start, qsizetype length) {
            lines.append(text.mid(start, length));
            return true;
        });
        return lines;
    }

    // Line ends are ASCII, so no UTF-8 sequence spans two lines: each line is
    // decoded on its own, sparing a copy of the whole file.
    if (startsWith(bytes, {0xEF, 0xBB, 0xBF}))
        bytes = bytes.sliced(3);
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const bool valid = forEachLine(bytes.data(), bytes.size(), [&](qsizetype start, qsizetype length) {
        lines.append(utf8.decode(bytes.sliced(start, length)));
        return !utf8.hasError();
    });
    if (valid)
        return lines;

    lines.clear();
    const CodePage cp1252(CodePage::Windows1252);
    forEachLine(bytes.data(), bytes.size(), [&](qsizetype start, qsizetype length) {
        lines.append(cp1252.decode(bytes.sliced(start, length)));
        return true;
    });
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
