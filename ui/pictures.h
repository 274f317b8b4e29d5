// The game's built-in pictures, all drawn in code at their stored sizes.
#pragma once

#include "palette.h"

#include <QImage>
#include <QPixmap>

namespace ui::pictures {

constexpr render::Colour Olive = 0x008080;  // the glyphs' transparent colour

// Movement button glyphs, 32 x 16: the normal 16 x 16 image, then the
// disabled look beside it, on olive (the transparent colour).
QImage leftGlyph();
QImage maeGlyph();
QImage rightGlyph();

// The normal image of a glyph with its bottom-left colour made transparent.
QPixmap buttonGlyph(const QImage& glyph);

QImage programIcon(int size = 32);  // 32 x 32, a red spiral on black
                                   // (the icon files draw it at 16 and 48 too)
QImage northArrow();    // 32 x 16, a red arrow on silver in the left 17 columns
QImage strip();         // 56 x 54, black birds on navy, tiling
QImage aboutPicture();  // 354 x 355, the maze corridor by moonlight
QImage helpLogo();      // 44 x 53, the product name on black

} // namespace ui::pictures
