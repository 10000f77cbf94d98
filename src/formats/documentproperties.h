#pragma once

#include <QTextFormat>

// Properties of Qt's text formats that carry what a document file holds
// beyond what Qt itself knows, so that a save writes it back.
namespace DocumentProperty {

// QString: the font's name as the file gave it. The shown family differs
// when the system lacks the font and a generic family stands in for it.
constexpr int FontName = QTextFormat::UserProperty + 1;

// bool: hidden text (RTF's \v), shown greyed in HiddenTextColor so that the
// writer sees it is hidden, and saved hidden.
constexpr int Hidden = QTextFormat::UserProperty + 2;
// QColor: the colour hidden text had of its own, which the grey hides.
constexpr int HiddenOwnColor = QTextFormat::UserProperty + 3;
constexpr QRgb HiddenTextColor = 0xFF9A9A9A;

} // namespace DocumentProperty
