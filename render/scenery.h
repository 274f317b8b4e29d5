// The scenery of each maze that the maze cells do not hold: floor tiles of
// water and bridges seen near a waterway, and a shrine gate at the end of a
// dead-end alley. It is all fixed data keyed by the player's exact row,
// column and heading, read from its written form when the game is compiled.
// (The waterway cells themselves are rule data: game/waterways.h.)
#pragma once

#include "game/maze.h"
#include "game/notation.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace render {

// The eight floor regions a floor view can colour: lane letter (L one cell
// left, C the player's line, R one cell right) and depth digit.
enum FloorTile { L0, C0, R0, L1, C1, R1, R2, R3, FloorTileCount };
inline constexpr std::array<const char*, FloorTileCount> FloorTileNames{"L0", "C0", "R0", "L1",
                                                                        "C1", "R1", "R2", "R3"};

// Which tiles show water and which show a bridge, as bit masks by tile.
struct Colouring {
    std::uint8_t water = 0;
    std::uint8_t bridge = 0;
    constexpr bool empty() const { return water == 0 && bridge == 0; }
    friend constexpr bool operator==(const Colouring&, const Colouring&) = default;
};

using Position = game::notation::Position;

struct Shrine {
    Position farView;
    Position nearView;
    // The bridge cells its near view marks on the map, in that order.
    std::array<game::Cell, 8> marks{};
    int markCount = 0;
    const game::Cell* begin() const { return marks.data(); }
    const game::Cell* end() const { return marks.data() + markCount; }
};

class SceneryTable {
public:
    // The colouring at an exact position; empty where the table has none.
    constexpr Colouring floorView(int row, int column, int heading) const
    {
        return m_views[std::size_t((row * game::MazeSize + column) * 4 + (heading & 3))];
    }
    bool blackensNearBand() const { return m_blackens; }
    const std::optional<Shrine>& shrine() const { return m_shrine; }

    // All positions that carry a floor view, by row, column, heading.
    std::vector<Position> viewPositions() const;

private:
    friend struct SceneryReader;
    std::array<Colouring, game::MazeCells * 4> m_views{};
    bool m_blackens = false;
    std::optional<Shrine> m_shrine;
};

const SceneryTable& scenery(int maze);

// The canonical listing of a maze's scenery and waterways, one item a line
// (the scenario driver prints it).
std::string describe(int maze);

} // namespace render
