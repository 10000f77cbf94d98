#pragma once

#include <QString>

// Fonts with the symbol character set (\fcharset2) draw their own pictures
// for each byte. For the common ones the bytes are mapped to the Unicode
// characters they show, so bullets and signs survive on systems without
// those fonts; other bytes go to the private-use area at U+F000 + byte, as
// Windows does.
namespace SymbolFonts {

enum class Font { Other, Symbol, Wingdings };

Font fromName(const QString &fontName);
char16_t toUnicode(Font font, unsigned char byte);

} // namespace SymbolFonts
