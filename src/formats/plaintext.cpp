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

// The length of the valid UTF-8 sequence at data[i], or 0 when the byte
// there starts none (a stray continuation byte, an overlong form, a
// surrogate, a value past U+10FFFF, a sequence cut short).
qsizetype utf8SequenceLength(const unsigned char *data, qsizetype i, qsizetype n)
{
    const unsigned char lead = data[i];
    qsizetype length;
    unsigned char low = 0x80, high = 0xBF; // range of the second byte
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        if (lead == 0xE0)
            low = 0xA0;
        else if (lead == 0xED)
            high = 0x9F;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        if (lead == 0xF0)
            low = 0x90;
        else if (lead == 0xF4)
            high = 0x8F;
    } else {
        return 0;
    }
    if (i + length > n || data[i + 1] < low || data[i + 1] > high)
        return 0;
    for (qsizetype k = 2; k < length; ++k)
        if (data[i + k] < 0x80 || data[i + k] > 0xBF)
            return 0;
    return length;
}

// Qt's decoders drop a U+FEFF that starts the bytes they are given, taking
// it for a byte-order mark. A file's own mark is taken off before decoding,
// so any U+FEFF left is a character of the text, even one that follows the
// mark, a stray byte or a line end.
constexpr auto keepFeff = QStringDecoder::Flag::Stateless | QStringDecoder::Flag::ConvertInitialBom;

QString utf8(QByteArrayView bytes)
{
    return QStringDecoder(QStringDecoder::Utf8, keepFeff).decode(bytes);
}

// UTF-8 where the bytes are valid UTF-8, Windows-1252 for each byte that is
// not: a file saved as UTF-8 and touched once by a Windows-1252 editor keeps
// every character but the touched ones.
QString decodeMixed(QByteArrayView bytes)
{
    QStringDecoder whole(QStringDecoder::Utf8, keepFeff);
    QString text = whole.decode(bytes);
    if (!whole.hasError())
        return text;
    text.clear();
    text.reserve(bytes.size());
    const auto *data = reinterpret_cast<const unsigned char *>(bytes.data());
    const qsizetype n = bytes.size();
    qsizetype validStart = 0;
    for (qsizetype i = 0; i < n;) {
        if (data[i] < 0x80) {
            ++i;
            continue;
        }
        if (const qsizetype length = utf8SequenceLength(data, i, n)) {
            i += length;
            continue;
        }
        text += utf8(bytes.sliced(validStart, i - validStart));
        text += CodePage::windows1252(data[i]);
        validStart = ++i;
    }
    text += utf8(bytes.sliced(validStart));
    return text;
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
        return decodeMixed(bytes.sliced(3));
    if (hasUtf16Mark(bytes)) {
        const bool littleEndian = static_cast<unsigned char>(bytes[0]) == 0xFF;
        QStringDecoder utf16(littleEndian ? QStringDecoder::Utf16LE : QStringDecoder::Utf16BE,
                             keepFeff);
        return utf16.decode(bytes.sliced(2));
    }
    return decodeMixed(bytes);
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
    forEachLine(bytes.data(), bytes.size(), [&](qsizetype start, qsizetype length) {
        lines.append(decodeMixed(bytes.sliced(start, length)));
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
