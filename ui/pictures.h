// The game's built-in pictures, all drawn in code at their stored sizes,
// and as the windows show them.
#pragma once

#include "palette.h"

#include <QIcon>
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

// The sizes the icon is drawn at, for the window and for the icon theme
// (the build sets them); from SmoothIconSize up it is drawn smooth, below
// it pixel-exact.
constexpr int IconSizes[] = {VESMOR_ICON_SIZES};
constexpr int SmoothIconSize = 64;

QImage programIcon(int size = 32);  // 32 x 32, a red spiral on black
// The web app's icon sizes beside IconSizes, and the same spiral smaller
// on a larger black ground, whole under any shape a launcher cuts it to.
constexpr int AppIconSizes[] = {192, 512};
constexpr int MaskableIconSize = 512;
QImage maskableIcon(int size);
QIcon programIconSet();             // of IconSizes, drawn at each size asked for
QString programIconSvg();           // the same spiral as a scalable picture

QImage northArrow();    // 32 x 16, a red arrow on silver in the left 17 columns
QImage strip();         // 56 x 54, black birds on navy, tiling
QImage aboutPicture();  // 354 x 355, the maze corridor by moonlight
QImage helpLogo();      // 44 x 53, the product name on black

// What the windows show of a stored picture, cut or scaled to its control.
QImage shownNorthArrow();     // 17 x 16
QImage shownStrip();          // 15 x 115
QImage shownAboutPicture();   // 150 x 150
QImage shownHelpLogo();       // 45 x 50
QImage shownDecorations();    // the main window's client area with its decorations and no controls

// Every picture exactly as the windows show it, under the name of the
// image file the build writes it to, for front ends that draw no pictures
// of their own.
struct Shown {
    const char* file;
    QImage (*picture)();
};
extern const Shown ShownPictures[9];

} // namespace ui::pictures
