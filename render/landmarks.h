// The scenery of each maze that the maze cells do not hold: waterways,
// bridges over them, and a shrine gate at the end of a dead-end alley.
// It is all fixed data keyed by the player's exact row, column and heading.
#pragma once

#include "game/maze.h"

#include <array>
#include <bitset>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace render {

// The eight floor regions a floor view can colour: lane letter (L one cell
// left, C the player's line, R one cell right) and depth digit.
enum FloorTile { L0, C0, R0, L1, C1, R1, R2, R3, FloorTileCount };
extern const std::array<const char*, FloorTileCount> FloorTileNames;

// Which tiles show water and which show a bridge, as bit masks by tile.
struct Colouring {
    std::uint8_t water = 0;
    std::uint8_t bridge = 0;
    bool empty() const { return water == 0 && bridge == 0; }
    friend bool operator==(const Colouring&, const Colouring&) = default;
};

struct Position {
    int row = 0;
    int column = 0;
    int heading = 0;
    friend bool operator==(const Position&, const Position&) = default;
};

struct Shrine {
    Position farView;
    Position nearView;
    std::vector<game::Cell> bridgeMarks;  // in the order they are marked
};

class LandmarkTable {
public:
    // The colouring at an exact position; empty where the table has none.
    Colouring floorView(int row, int column, int heading) const
    {
        return m_views[index(row, column) * 4 + (heading & 3)];
    }
    bool isWaterway(int row, int column) const { return m_water.test(index(row, column)); }
    bool blackensNearBand() const { return m_blackens; }
    const std::optional<Shrine>& shrine() const { return m_shrine; }

    // All positions that carry a floor view, by row, column, heading.
    std::vector<Position> viewPositions() const;
    std::vector<game::Cell> waterwayCells() const;

private:
    friend class LandmarkParser;
    static int index(int row, int column) { return row * game::MazeSize + column; }

    std::array<Colouring, game::MazeCells * 4> m_views{};
    std::bitset<game::MazeCells> m_water;
    bool m_blackens = false;
    std::optional<Shrine> m_shrine;
};

// The table of a maze, read from the built-in data on first use.
const LandmarkTable& landmarks(int maze);

// The built-in scenery in its written form, and what reading it found:
// tests check every stated count against what the text expands to.
struct SceneryText {
    const char* waterways;      // "(count): row: columns; ...", "" for none
    bool blackensNearBand;
    const char* shrine;         // "far (r,c,h) near (r,c,h) marks (r,c) ...", or null
    int floorViewCount;         // positions over all lines
    std::vector<const char*> floorViews;  // "W tiles, B tiles (count): positions"
};
extern const std::array<SceneryText, game::MazeCount> Scenery;

struct ParseReport {
    std::vector<std::string> problems;  // stated counts that do not match, bad syntax, repeats
    std::vector<int> lineCounts;        // positions each floor-view line expanded to
    int waterwayCount = 0;
};

// Reads one maze's text into a table. Never fails silently: whatever does
// not add up is listed in the report.
LandmarkTable parseScenery(const SceneryText& text, ParseReport& report);

// The canonical listing of a table, one item a line (the driver prints it).
std::string describe(const LandmarkTable& table);

} // namespace render
