// The windows take their colours from the game's one table (0x00BBGGRR,
// red in the lowest byte) and convert them here.
#pragma once

#include "render/colours.h"

#include <QColor>

namespace ui {

constexpr QRgb qRgbOf(render::Colour colour)
{
    return qRgb(int(colour & 0xFF), int(colour >> 8 & 0xFF), int(colour >> 16 & 0xFF));
}

inline QColor qColour(render::Colour colour)
{
    return QColor(qRgbOf(colour));
}

} // namespace ui
