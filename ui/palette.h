// The colours of the window's pictures and decorations.
#pragma once

#include <QColor>

namespace ui::palette {

inline const QColor Black(0x00, 0x00, 0x00);
inline const QColor White(0xFF, 0xFF, 0xFF);
inline const QColor Silver(0xC0, 0xC0, 0xC0);
inline const QColor Grey(0x80, 0x80, 0x80);
inline const QColor Navy(0x00, 0x00, 0x80);
inline const QColor Olive(0x80, 0x80, 0x00);  // the glyphs' transparent colour
inline const QColor Teal(0x00, 0x80, 0x80);
inline const QColor Red(0xFF, 0x00, 0x00);
inline const QColor Yellow(0xFF, 0xFF, 0x00);

} // namespace ui::palette
