#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

#include <functional>

// A part of an RTF file that is kept as markup (a header, a footnote, a
// comment) is saved as it came, under a header that declares Windows-1252
// and fonts of no character set. Text bytes in another code page, or in a
// symbol font, would then read back as other letters; here they become
// \uN characters, which read the same under any code page.
namespace PortableGroup {

// The text that bytes written in a font stand for (font -1: the document's
// default font), or a null string where they read the same in a saved file.
using Decoder = std::function<QString(int font, QByteArrayView bytes)>;

// The group with its text bytes rewritten; `font` and `unicodeSkip` (\ucN)
// are those in effect where the group begins.
QByteArray rewrite(QByteArrayView group, int font, int unicodeSkip, const Decoder &decode);

} // namespace PortableGroup
