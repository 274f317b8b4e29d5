#include "scenerydraw.h"

#include "colours.h"
#include "scenery.h"

#include "game/waterways.h"

#include <array>
#include <vector>

namespace render {

namespace {

// The eight floor tiles, each bounded by floor grid lines, the bitmap's
// edges and the horizon.
const std::array<std::vector<Point>, FloorTileCount> TileCorners{{
    /* L0 */ {{0, 297}, {0, 330}, {33, 297}},
    /* C0 */ {{33, 297}, {0, 330}, {330, 330}, {297, 297}},
    /* R0 */ {{297, 297}, {330, 330}, {330, 297}},
    /* L1 */ {{0, 253}, {0, 297}, {33, 297}, {77, 253}},
    /* C1 */ {{77, 253}, {33, 297}, {297, 297}, {253, 253}},
    /* R1 */ {{253, 253}, {297, 297}, {330, 297}, {330, 253}},
    /* R2 */ {{220, 220}, {253, 253}, {330, 253}, {330, 220}},
    /* R3 */ {{198, 198}, {220, 220}, {330, 220}, {264, 198}},
}};

void fillTiles(std::uint8_t mask, Colour colour, Canvas& bitmap)
{
    for (int tile = 0; tile < FloorTileCount; ++tile)
        if (mask & (1u << tile)) {
            bitmap.setBrush(colour);
            bitmap.polygon(TileCorners[tile]);
        }
}

void drawGate(const std::array<std::array<int, 4>, 4>& beams, Canvas& bitmap)
{
    bitmap.setPenWidth(1);
    bitmap.setPenColour(Red);
    bitmap.setBrush(Red);
    for (const auto& r : beams)
        bitmap.rectangle(r[0], r[1], r[2], r[3]);
}

// Two crossbeams, then two posts standing on the end wall's bottom edge.
constexpr std::array<std::array<int, 4>, 4> FarGate{{
    {110, 143, 220, 154}, {110, 165, 220, 176}, {132, 143, 143, 253}, {187, 143, 198, 253}}};
constexpr std::array<std::array<int, 4>, 4> NearGate{{
    {77, 132, 253, 154}, {77, 176, 253, 198}, {110, 132, 132, 297}, {198, 132, 220, 297}}};

bool at(const Position& p, int row, int column, int heading)
{
    return p.row == row && p.column == column && p.heading == heading;
}

} // namespace

void sceneryOnTheFloor(int maze, int row, int column, int heading, Canvas& bitmap)
{
    const SceneryTable& table = scenery(maze);
    const Colouring view = table.floorView(row, column, heading);
    fillTiles(view.water, Water, bitmap);
    fillTiles(view.bridge, Bridge, bitmap);
    // Fallen in: the nearest band goes black (the tick makes the clock run
    // faster).
    if (game::isWaterway(maze, row, column) && table.blackensNearBand()) {
        bitmap.setBrush(Black);
        bitmap.rectangle(0, 297, 330, 330);
    }
}

void sceneryOverTheView(int maze, int row, int column, int heading, Canvas& bitmap, OverviewMap& map)
{
    const auto& shrine = scenery(maze).shrine();
    if (!shrine)
        return;
    if (at(shrine->farView, row, column, heading)) {
        drawGate(FarGate, bitmap);
    } else if (at(shrine->nearView, row, column, heading)) {
        drawGate(NearGate, bitmap);
        map.canvas().setBrush(Bridge);
        for (const game::Cell& mark : *shrine)
            map.markBridge(mark.row, mark.column);
    }
}

} // namespace render
