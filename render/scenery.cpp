// The landmark stages of a frame: floor tiles of water and bridges, the
// waterway rule, and the shrine gate with its bridge marks on the map.
#include "landmarks.h"
#include "make3d.h"

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

namespace stages {

void landmarksBeforeCorridor(game::Game& game, int row, int column, int heading, Canvas& bitmap)
{
    const LandmarkTable& table = landmarks(game.MazeIndex);
    const Colouring view = table.floorView(row, column, heading);
    fillTiles(view.water, Water, bitmap);
    fillTiles(view.bridge, Bridge, bitmap);
    if (!table.isWaterway(row, column))
        return;
    // Fallen in: the count runs faster on every tick spent in the water,
    // until Start or Redo.
    if (table.blackensNearBand()) {
        bitmap.setBrush(Black);
        bitmap.rectangle(0, 297, 330, 330);
    }
    game.countdown.setInterval(game.countdown.interval() / 2 + 1);
    game.window.label4 = SplashNotice;
}

void landmarksAfterBorder(SceneContext& context, int row, int column, int heading, Canvas& bitmap)
{
    const auto& shrine = landmarks(context.game.MazeIndex).shrine();
    if (!shrine)
        return;
    if (at(shrine->farView, row, column, heading)) {
        drawGate(FarGate, bitmap);
    } else if (at(shrine->nearView, row, column, heading)) {
        drawGate(NearGate, bitmap);
        context.map.canvas().setBrush(Bridge);
        for (const game::Cell& mark : shrine->bridgeMarks)
            context.map.markBridge(mark.row, mark.column);
    }
}

} // namespace stages
} // namespace render
