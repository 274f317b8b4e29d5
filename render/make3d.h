// One frame of the first-person view, drawn from scratch on every tick.
#pragma once

#include "canvas.h"
#include "colours.h"
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

// What a frame reads and writes besides the bitmap: the game state and the
// overview map (the shrine marks bridges on it).
struct SceneContext {
    game::Game& game;
    OverviewMap& map;
};

void Make3D(SceneContext& context, int row, int column, int heading, Canvas& bitmap);

// The stages of a frame, in the order Make3D runs them; each is usable on
// its own by the tests.
namespace stages {
void goalScene(game::Game& game, Canvas& bitmap);
void timeOutScene(game::Game& game, Canvas& bitmap);
void sky(game::Game& game, int heading, Canvas& bitmap);
void floor(Canvas& bitmap);
void floorGrid(Canvas& bitmap);
void timeOfDay(game::Game& game, Canvas& bitmap);
void corridor(const ViewWindow& view, Canvas& bitmap);
void border(Canvas& bitmap);
void landmarksBeforeCorridor(game::Game& game, int row, int column, int heading, Canvas& bitmap);
void landmarksAfterBorder(SceneContext& context, int row, int column, int heading, Canvas& bitmap);
} // namespace stages

// The notices written under the view.
extern const char* const SunsetNotice;      // at 255 seconds
extern const char* const DuskNotice;        // once per Start, 60 to 235
extern const char* const MoonGoneNotice;    // at 60 seconds
extern const char* const SunGoneNotice;     // at 60 seconds, maze 4
extern const char* const SplashNotice;      // fallen into the water

} // namespace render
