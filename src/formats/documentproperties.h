#pragma once

#include <QTextFormat>

// Properties of Qt's text formats that carry what a document file holds
// beyond what Qt itself knows, so that a save writes it back.
namespace DocumentProperty {

// QString: the font's name as the file gave it. The shown family differs
// when the system lacks the font and a generic family stands in for it.
constexpr int FontName = QTextFormat::UserProperty + 1;

} // namespace DocumentProperty
