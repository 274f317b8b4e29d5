// The game's colours, as 0x00BBGGRR values (red in the lowest byte).
#pragma once

#include "canvas.h"

namespace render {

constexpr Colour Black = 0x000000;
constexpr Colour White = 0xFFFFFF;
constexpr Colour Silver = 0xC0C0C0;
constexpr Colour Grey = 0x808080;
constexpr Colour Red = 0x0000FF;
constexpr Colour Yellow = 0x00FFFF;
constexpr Colour Lime = 0x00FF00;
constexpr Colour Teal = 0x808000;
constexpr Colour Navy = 0x800000;
constexpr Colour Maroon = 0x000080;

constexpr Colour FloorColour = 0x756475;  // the corridor's floor
constexpr Colour Water = 0xFF0000;        // a waterway's floor tiles, blue
constexpr Colour Bridge = 0x000080;       // a bridge's floor tiles, dark red

} // namespace render
