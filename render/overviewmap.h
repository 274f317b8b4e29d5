// The overview map beside the view: 120 x 120 pixels, 4 per cell. It is
// never redrawn from the game state; everything on it is painted as it
// happens (Start, each step, the "?" flash, the shrine's bridge marks) and
// stays until the next Start clears it. Its pen and brush persist between
// operations, so who set them last decides the look.
#pragma once

#include "canvas.h"
#include "game/maze.h"

#include <span>
#include <vector>

namespace render {

constexpr int MapSize = 120;
constexpr int MapCell = 4;

// The waterway lines drawn at Start, as polylines through cell centres.
std::span<const std::vector<Point>> waterwayLines(int maze);

Point cellCentre(int row, int column);

class OverviewMap {
public:
    explicit OverviewMap(Canvas& canvas) : m_canvas(canvas) {}

    Canvas& canvas() { return m_canvas; }

    void clear();                          // Start: all white
    void drawWaterwayLines(int maze);      // Start, after the player is placed
    void drawStep(game::Cell from, game::Cell to);
    void forwardReleased();                // the forward button let go
    void probePressed(int row, int column);   // "?" held: flash the cell
    void probeReleased(int row, int column);  // "?" let go: undo the flash
    void markBridge(int row, int column);     // from the shrine's near view

private:
    void flash(int row, int column);

    Canvas& m_canvas;
};

} // namespace render
