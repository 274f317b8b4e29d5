// The main window's fixed decorations: sunken boxes, the teal view frame,
// the two trays, the icon box with its patterned strips and yellow discs,
// and the etched lines of the right column. They never change; the window
// paints them whenever it is exposed (rarely), rather than keeping a picture
// of the whole window in memory for it.
#pragma once

#include "play/layout.h"

class QPainter;

namespace ui {

using play::ClientHeight;
using play::ClientWidth;

void paintDecorations(QPainter& painter);

} // namespace ui
