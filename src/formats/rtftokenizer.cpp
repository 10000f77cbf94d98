#include "rtftokenizer.h"

#include <limits>

namespace {

constexpr bool isLetter(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

constexpr bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

int hexValue(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

bool isLeadByte(RtfTokenizer::LeadBytes leadBytes, unsigned char c)
{
    switch (leadBytes) {
    case RtfTokenizer::LeadBytes::None: return false;
    case RtfTokenizer::LeadBytes::ShiftJis: return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC);
    case RtfTokenizer::LeadBytes::Wide: return c >= 0x81 && c <= 0xFE;
    }
    return false;
}

} // namespace

RtfTokenizer::LeadBytes RtfTokenizer::leadBytesOf(int codePage)
{
    switch (codePage) {
    case 932: return LeadBytes::ShiftJis;
    case 936:
    case 949:
    case 950:
    case 1361: return LeadBytes::Wide;
    default: return LeadBytes::None;
    }
}

RtfTokenizer::Token RtfTokenizer::next()
{
    Token token;
    const qsizetype size = m_input.size();
    const char *data = m_input.data();

    if (m_pendingBinary >= 0) {
        const qsizetype length = std::min(m_pendingBinary, size - m_pos);
        m_pendingBinary = -1;
        token.type = Type::Binary;
        token.bytes = m_input.sliced(m_pos, length);
        m_pos += length;
        return token;
    }

    // Line ends carry no meaning in RTF.
    while (m_pos < size && (data[m_pos] == '\r' || data[m_pos] == '\n'))
        ++m_pos;
    if (m_pos >= size)
        return token;

    const char c = data[m_pos];
    if (c == '{') {
        ++m_pos;
        token.type = Type::GroupStart;
        return token;
    }
    if (c == '}') {
        ++m_pos;
        token.type = Type::GroupEnd;
        return token;
    }
    if (c != '\\') {
        const qsizetype start = m_pos;
        while (m_pos < size) {
            const char d = data[m_pos];
            if (d == '\\' || d == '{' || d == '}' || d == '\r' || d == '\n')
                break;
            // No trail byte is below 0x40, so a line end after a lead byte
            // still ends the text.
            if (m_leadBytes != LeadBytes::None && m_pos + 1 < size && isLeadByte(m_leadBytes, static_cast<unsigned char>(d))
                && static_cast<unsigned char>(data[m_pos + 1]) >= 0x40)
                ++m_pos;
            ++m_pos;
        }
        token.type = Type::Text;
        token.bytes = m_input.sliced(start, m_pos - start);
        return token;
    }

    // A backslash: control word, control symbol or hex byte.
    ++m_pos;
    if (m_pos >= size)
        return token;
    const char s = data[m_pos];
    if (isLetter(s))
        return controlWord();
    ++m_pos;
    if (s == '\'') {
        const int high = m_pos < size ? hexValue(data[m_pos]) : -1;
        const int low = m_pos + 1 < size ? hexValue(data[m_pos + 1]) : -1;
        if (high < 0 || low < 0) { // a broken escape stands for nothing, its one hex digit included
            m_pos += high < 0 ? 0 : 1;
            token.type = Type::Text;
            return token;
        }
        m_pos += 2;
        token.type = Type::HexByte;
        token.symbol = char(high << 4 | low);
        return token;
    }
    token.type = Type::ControlSymbol;
    // A backslash before a line end is a paragraph mark.
    token.symbol = s == '\r' || s == '\n' ? '\n' : s;
    return token;
}

RtfTokenizer::Token RtfTokenizer::controlWord()
{
    Token token;
    token.type = Type::ControlWord;
    const qsizetype size = m_input.size();
    const char *data = m_input.data();

    const qsizetype start = m_pos;
    while (m_pos < size && isLetter(data[m_pos]))
        ++m_pos;
    token.name = m_input.sliced(start, m_pos - start);

    bool negative = false;
    if (m_pos + 1 < size && data[m_pos] == '-' && isDigit(data[m_pos + 1])) {
        negative = true;
        ++m_pos;
    }
    if (m_pos < size && isDigit(data[m_pos])) {
        constexpr long long limit = std::numeric_limits<int>::max();
        long long value = 0;
        while (m_pos < size && isDigit(data[m_pos])) {
            value = std::min(limit + 1, value * 10 + (data[m_pos] - '0'));
            ++m_pos;
        }
        token.hasParameter = true;
        token.parameter = negative ? int(-std::min(value, limit + 1)) : int(std::min(value, limit));
    }
    // One space ends the word and belongs to it.
    if (m_pos < size && data[m_pos] == ' ')
        ++m_pos;

    if (token.name == "bin" && token.hasParameter)
        m_pendingBinary = std::max(0, token.parameter);
    return token;
}
