// A frame's calls as text, read back from the draw list it was drawn on.
#pragma once

#include "render/drawlist.h"

#include <string>
#include <vector>

namespace render {

// For example "rect 0,198 330,330 pen=756475/1 brush=756475"; pens in
// not-xor mode end in "x", lines and polylines carry no brush.
std::string text(const DrawList& list, const DrawCall& call);
std::vector<std::string> texts(const DrawList& list);

} // namespace render
