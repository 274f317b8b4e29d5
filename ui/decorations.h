// The main window's fixed decorations: sunken boxes, the teal view frame,
// the two trays, the icon box with its patterned strips and yellow discs,
// and the etched lines of the right column. They never change, so they are
// painted once into a picture the window draws as its background.
#pragma once

#include <QImage>

namespace ui {

constexpr int ClientWidth = 529;
constexpr int ClientHeight = 462;

QImage paintDecorations();

} // namespace ui
