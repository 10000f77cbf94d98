#pragma once

#include <QByteArrayView>
#include <QString>

#include <memory>

// Turns bytes of one Windows, Mac or DOS code page into Unicode.
//
// Windows-1252 is decoded by table; every other code page goes through the C
// library's iconv, and one that this system cannot decode is read as
// Windows-1252. Bytes that the code page does not define come out as U+FFFD,
// so no input is ever dropped silently.
class CodePage
{
public:
    static constexpr int Windows1252 = 1252;
    static constexpr int MacRoman = 10000;
    static constexpr int Dos437 = 437;
    static constexpr int Dos850 = 850;

    explicit CodePage(int number);
    ~CodePage();
    CodePage(CodePage &&) noexcept;
    CodePage &operator=(CodePage &&) noexcept;

    QString decode(QByteArrayView bytes) const;
    void appendDecoded(QByteArrayView bytes, QString &out) const;

    // The code page that an RTF \fcharset value stands for, or 0 when the
    // character set means "use the document's code page".
    static int forCharset(int charset);

    static QChar windows1252(unsigned char byte);

private:
    struct Iconv;
    std::unique_ptr<Iconv> m_iconv;
};
