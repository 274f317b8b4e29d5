// The windows take their colours from the game's one table (0x00BBGGRR,
// red in the lowest byte) and show the game's bitmaps as they are.
#pragma once

#include "render/bitmap.h"
#include "render/colours.h"

#include <QColor>
#include <QImage>

namespace ui {

// The classic raised face's inner light edge, beside the table's colours.
constexpr render::Colour LightGrey = 0xDFDFDF;

// A pixel of the game's bitmaps in the toolkit's layout: red and blue
// change places.
constexpr QRgb qRgbOfPixel(render::Pixel pixel)
{
    return qRgb(int(pixel & 0xFF), int(pixel >> 8 & 0xFF), int(pixel >> 16 & 0xFF));
}

constexpr QRgb qRgbOf(render::Colour colour)
{
    return qRgbOfPixel(render::pixelOf(colour));
}

inline QColor qColour(render::Colour colour)
{
    return QColor(qRgbOf(colour));
}

// A bitmap of the game as an image, on the bitmap's own memory: no copy, so
// it shows what the bitmap holds while the bitmap lives.
inline QImage qImageOf(const render::Bitmap& bitmap)
{
    return QImage(bitmap.bytes(), bitmap.width(), bitmap.height(), bitmap.bytesPerLine(), QImage::Format_RGBX8888);
}

} // namespace ui
