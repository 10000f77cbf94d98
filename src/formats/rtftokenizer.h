#pragma once

#include <QByteArrayView>

// Splits RTF into its tokens without copying: group starts and ends, control
// words with their optional signed parameter, control symbols, runs of text,
// \'hh bytes, and the raw data that follows \binN.
//
// Any byte sequence tokenizes: a parameter too large for 32 bits saturates,
// a \bin length that runs past the end is cut at the end, and a backslash at
// the very end is dropped.
class RtfTokenizer
{
public:
    enum class Type {
        End,
        GroupStart,
        GroupEnd,
        ControlWord,   // name, and parameter when hasParameter
        ControlSymbol, // symbol
        Text,          // bytes, never holding CR or LF
        HexByte,       // symbol holds the byte
        Binary,        // bytes: the data that followed \binN
    };

    struct Token
    {
        Type type = Type::End;
        QByteArrayView name;  // control word name
        QByteArrayView bytes; // text or binary data
        int parameter = 0;
        bool hasParameter = false;
        char symbol = 0;
    };

    // Which bytes start a double-byte character in the text that follows. Its
    // second byte may be "{", "}" or "\\" and then belongs to the character.
    enum class LeadBytes : quint8 {
        None,
        ShiftJis, // 0x81-0x9F and 0xE0-0xFC
        Wide,     // 0x81-0xFE: GBK, Big5, the Korean code pages
    };

    // The code page whose lead bytes the next text tokens honour.
    static LeadBytes leadBytesOf(int codePage);
    void setLeadBytes(LeadBytes leadBytes) { m_leadBytes = leadBytes; }

    explicit RtfTokenizer(QByteArrayView input)
        : m_input(input)
    {
    }

    Token next();
    qsizetype position() const { return m_pos; }

private:
    Token controlWord();

    QByteArrayView m_input;
    qsizetype m_pos = 0;
    qsizetype m_pendingBinary = -1; // bytes of \bin data to return next
    LeadBytes m_leadBytes = LeadBytes::None;
};
