// The scenery's two stages of a frame: floor tiles of water and bridges
// (and the near band blackened by a fall into the water), then the shrine
// gate over the end wall, whose near view also marks the maze's bridges on
// the overview map.
#pragma once

#include "canvas.h"
#include "overviewmap.h"

namespace render {

// After the floor, before its grid lines.
void sceneryOnTheFloor(int maze, int row, int column, int heading, Canvas& bitmap);
// After the view's border.
void sceneryOverTheView(int maze, int row, int column, int heading, Canvas& bitmap, OverviewMap& map);

} // namespace render
