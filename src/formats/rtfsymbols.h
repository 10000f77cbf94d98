#pragma once

#include <QByteArrayView>

#include <array>

// The characters RTF names by control word or control symbol. The reader
// takes them in and the writer writes them out through this one table, so
// that whatever is written reads back the same.
namespace RtfSymbols {

struct Symbol
{
    const char *control; // without the backslash
    char16_t character;
};

inline constexpr std::array<Symbol, 22> Table = {{
    {"tab", u'\t'},
    {"line", u'\u2028'},
    {"emdash", u'\u2014'},
    {"endash", u'\u2013'},
    {"emspace", u'\u2003'},
    {"enspace", u'\u2002'},
    {"qmspace", u'\u2005'},
    {"bullet", u'\u2022'},
    {"lquote", u'\u2018'},
    {"rquote", u'\u2019'},
    {"ldblquote", u'\u201C'},
    {"rdblquote", u'\u201D'},
    {"zwj", u'\u200D'},
    {"zwnj", u'\u200C'},
    {"ltrmark", u'\u200E'},
    {"rtlmark", u'\u200F'},
    {"~", u'\u00A0'},  // non-breaking space
    {"-", u'\u00AD'},  // optional hyphen
    {"_", u'\u2011'},  // non-breaking hyphen
    {"{", u'{'},
    {"}", u'}'},
    {"\\", u'\\'},
}};

// The character a control word or symbol names, or 0.
char16_t character(QByteArrayView control);
// The control word or symbol for a character, or nullptr.
const char *control(char16_t character);

} // namespace RtfSymbols
