#pragma once

#include <QColor>

// Colours cross the program's interfaces as 24-bit values with red in the low
// byte (0x00BBGGRR), the layout that stored settings and callers expect.
namespace OleColor {

constexpr quint32 fromRgb(int red, int green, int blue)
{
    return quint32(red & 0xFF) | quint32(green & 0xFF) << 8 | quint32(blue & 0xFF) << 16;
}

inline QColor toQColor(quint32 value)
{
    return QColor(int(value & 0xFF), int(value >> 8 & 0xFF), int(value >> 16 & 0xFF));
}

inline quint32 fromQColor(const QColor &color)
{
    return fromRgb(color.red(), color.green(), color.blue());
}

} // namespace OleColor
