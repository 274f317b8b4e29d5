// One frame of the first-person view, drawn from scratch on every tick.
#pragma once

#include "canvas.h"
#include "game/game.h"
#include "overviewmap.h"

#include <array>
#include <cstdint>

namespace render {

constexpr int SceneSize = 330;

// The 5 x 5 cells around and ahead of the player: lane 0-4 from left to
// right (2 is the player's own line), depth 0-4 from level with the player
// to four cells ahead. Off the grid reads as wall.
class ViewWindow {
public:
    void fill(int maze, int row, int column, int heading);
    bool isWall(int lane, int depth) const { return (m_cells[lane * 5 + (4 - depth)] & 1) != 0; }

private:
    std::array<std::uint8_t, 25> m_cells{};  // lane-major, far end first
};

// What a frame reads, and the overview map it may draw on besides the
// bitmap (the shrine marks the bridges on it). The frame never changes the
// game: the tick has applied the rules before it is drawn.
struct SceneContext {
    const game::Game& game;
    OverviewMap& map;
};

void Make3D(const SceneContext& context, int row, int column, int heading, Canvas& bitmap);

} // namespace render
