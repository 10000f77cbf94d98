#pragma once

#include <QRect>
#include <QSize>

// Design sizes are kept in twips (1/1440 inch). At the reference density of
// 96 dots per inch a logical pixel is 15 twips; Qt scales logical pixels to
// the screen, so layouts given in twips stay right on high-density screens.
namespace Twips {

constexpr int PerPixel = 15;

constexpr int toPixels(int twips)
{
    return twips >= 0 ? (twips + PerPixel / 2) / PerPixel : -((-twips + PerPixel / 2) / PerPixel);
}

constexpr QRect rect(int left, int top, int width, int height)
{
    return QRect(toPixels(left), toPixels(top), toPixels(width), toPixels(height));
}

constexpr QSize size(int width, int height)
{
    return QSize(toPixels(width), toPixels(height));
}

} // namespace Twips
