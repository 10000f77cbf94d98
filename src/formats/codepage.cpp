#include "codepage.h"

#include <array>
#include <cerrno>
#include <iconv.h>

namespace {

// 0x80-0x9F of Windows-1252. The five bytes that the code page leaves
// undefined map to the C1 controls of the same value, as Windows does.
constexpr std::array<char16_t, 32> cp1252High = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

QByteArray iconvName(int number)
{
    switch (number) {
    case CodePage::MacRoman:
        return QByteArrayLiteral("MACINTOSH");
    case 1361:
        return QByteArrayLiteral("JOHAB");
    default:
        return "CP" + QByteArray::number(number);
    }
}

} // namespace

struct CodePage::Iconv
{
    iconv_t handle;
};

CodePage::CodePage(int number)
{
    if (number == Windows1252)
        return;
    const QByteArray name = iconvName(number);
    iconv_t handle = iconv_open("UTF-16LE", name.constData());
    if (handle != reinterpret_cast<iconv_t>(-1))
        m_iconv = std::make_unique<Iconv>(Iconv{handle});
}

CodePage::~CodePage()
{
    if (m_iconv)
        iconv_close(m_iconv->handle);
}

CodePage::CodePage(CodePage &&) noexcept = default;
CodePage &CodePage::operator=(CodePage &&other) noexcept
{
    if (this != &other) {
        if (m_iconv)
            iconv_close(m_iconv->handle);
        m_iconv = std::move(other.m_iconv);
    }
    return *this;
}

QChar CodePage::windows1252(unsigned char byte)
{
    if (byte >= 0x80 && byte < 0xA0)
        return QChar(cp1252High[byte - 0x80]);
    return QChar(char16_t(byte));
}

QString CodePage::decode(QByteArrayView bytes) const
{
    QString out;
    appendDecoded(bytes, out);
    return out;
}

void CodePage::appendDecoded(QByteArrayView bytes, QString &out) const
{
    if (!m_iconv) {
        const qsizetype start = out.size();
        out.resize(start + bytes.size());
        QChar *dst = out.data() + start;
        for (const char c : bytes)
            *dst++ = windows1252(static_cast<unsigned char>(c));
        return;
    }

    iconv(m_iconv->handle, nullptr, nullptr, nullptr, nullptr); // reset shift state
    // One input byte never yields more than two UTF-16 units here.
    const qsizetype start = out.size();
    out.resize(start + 2 * bytes.size() + 2);
    char *in = const_cast<char *>(bytes.data());
    size_t inLeft = size_t(bytes.size());
    char *dst = reinterpret_cast<char *>(out.data() + start);
    size_t dstLeft = size_t(2 * bytes.size() + 2) * sizeof(char16_t);
    const auto putReplacement = [&] {
        *reinterpret_cast<char16_t *>(dst) = QChar::ReplacementCharacter;
        dst += sizeof(char16_t);
        dstLeft -= sizeof(char16_t);
    };
    while (inLeft > 0) {
        if (iconv(m_iconv->handle, &in, &inLeft, &dst, &dstLeft) != size_t(-1))
            break;
        if (errno == EILSEQ) {
            putReplacement();
            ++in;
            --inLeft;
        } else if (errno == EINVAL) { // the text ends inside a multi-byte character
            putReplacement();
            inLeft = 0;
        } else {
            break;
        }
    }
    iconv(m_iconv->handle, nullptr, nullptr, &dst, &dstLeft); // flush a pending combined character
    const auto written = reinterpret_cast<QChar *>(dst) - (out.constData() + start);
    out.resize(start + written);
}

int CodePage::forCharset(int charset)
{
    switch (charset) {
    case 77: return MacRoman;
    case 128: return 932;
    case 129: return 949;
    case 130: return 1361;
    case 134: return 936;
    case 136: return 950;
    case 161: return 1253;
    case 162: return 1254;
    case 163: return 1258;
    case 177: return 1255;
    case 178: return 1256;
    case 186: return 1257;
    case 204: return 1251;
    case 222: return 874;
    case 238: return 1250;
    case 254: return Dos437;
    case 255: return Dos850;
    default: return 0;
    }
}
