// Waterways: chains of open cells that count as water. They are rule data:
// standing in one makes the countdown run faster, tick after tick.
#pragma once

#include "maze.h"

#include <vector>

namespace game {

bool isWaterway(int maze, int row, int column);

// A maze's waterway cells, row by row.
std::vector<Cell> waterwayCells(int maze);

} // namespace game
