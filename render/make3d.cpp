#include "make3d.h"

#include "colours.h"
#include "scenerydraw.h"

namespace render {

void ViewWindow::fill(int maze, int row, int column, int heading)
{
    m_cells.fill(1);
    for (int lane = 0; lane < 5; ++lane) {
        for (int depth = 0; depth < 5; ++depth) {
            const int side = lane - 2;
            int r = row, c = column;
            switch (heading & 3) {
            case 0: r = row + depth; c = column + side; break;
            case 1: r = row + side; c = column - depth; break;
            case 2: r = row - depth; c = column - side; break;
            default: r = row - side; c = column + depth; break;
            }
            if (game::onGrid(r, c))
                m_cells[lane * 5 + (4 - depth)] = game::cellByte(maze, r, c);
        }
    }
}

namespace {

// The seven floor grid lines: the bottoms of depth planes 3, 2 and 1, then
// the four lane boundaries running to the horizon at y = 198.
constexpr std::array<std::array<Point, 2>, 7> GridLines{{
    {{{0, 220}, {330, 220}}},
    {{{0, 253}, {330, 253}}},
    {{{0, 297}, {330, 297}}},
    {{{0, 220}, {66, 198}}},
    {{{0, 330}, {132, 198}}},
    {{{330, 330}, {198, 198}}},
    {{{330, 220}, {264, 198}}},
}};

// Front faces: the depth plane moved sideways by whole plane widths.
struct FrontFaces {
    int depth;
    int firstLane, lastLane;
    int top, bottom;
    int width, offset;  // lane l spans width * l + offset .. + width
};
constexpr std::array<FrontFaces, 4> Fronts{{
    {4, 0, 4, 132, 198, 66, 0},
    {3, 1, 3, 110, 220, 110, -110},
    {2, 1, 3, 77, 253, 176, -275},
    {1, 1, 3, 33, 297, 264, -495},
}};

// Side faces: the cell's edge in depth plane d joined to the same edge in
// plane d + 1.
struct SideFace {
    int lane, depth;
    std::array<Point, 4> corners;
};
constexpr std::array<SideFace, 10> Sides{{
    {0, 3, {{{0, 110}, {0, 220}, {66, 198}, {66, 132}}}},
    {1, 3, {{{110, 110}, {110, 220}, {132, 198}, {132, 132}}}},
    {3, 3, {{{220, 110}, {220, 220}, {198, 198}, {198, 132}}}},
    {4, 3, {{{330, 110}, {330, 220}, {264, 198}, {264, 132}}}},
    {1, 2, {{{77, 77}, {77, 253}, {110, 220}, {110, 110}}}},
    {3, 2, {{{253, 77}, {253, 253}, {220, 220}, {220, 110}}}},
    {1, 1, {{{33, 33}, {33, 297}, {77, 253}, {77, 77}}}},
    {3, 1, {{{297, 33}, {297, 297}, {253, 253}, {253, 77}}}},
    {1, 0, {{{0, 0}, {0, 330}, {33, 297}, {33, 33}}}},
    {3, 0, {{{330, 0}, {330, 330}, {297, 297}, {297, 33}}}},
}};

void drawGridLines(Canvas& bitmap)
{
    for (const auto& line : GridLines) {
        bitmap.moveTo(line[0].x, line[0].y);
        bitmap.lineTo(line[1].x, line[1].y);
    }
}

void drawFronts(const ViewWindow& view, const FrontFaces& f, Canvas& bitmap)
{
    for (int lane = f.firstLane; lane <= f.lastLane; ++lane)
        if (view.isWall(lane, f.depth)) {
            const int left = f.width * lane + f.offset;
            bitmap.rectangle(left, f.top, left + f.width, f.bottom);
        }
}

void drawSides(const ViewWindow& view, int depth, Canvas& bitmap)
{
    for (const SideFace& side : Sides)
        if (side.depth == depth && view.isWall(side.lane, depth))
            bitmap.polygon(side.corners);
}

bool atGoal(int row, int column, int heading)
{
    return row == game::GoalPlacement.row && column == game::GoalPlacement.column &&
           heading == game::GoalPlacement.heading;
}

// The sun sinks down and to the right, one 11-pixel step per 3 seconds.
void drawSun(int remaining, Canvas& bitmap)
{
    bitmap.setPenColour(Red);
    bitmap.setBrush(Red);
    const int q = (282 - remaining) / 3;
    bitmap.ellipse(11 * (q + 18), 11 * (q + 3), 11 * (q + 23), 11 * (q + 8));
}

constexpr std::array<std::array<int, 4>, 6> Stars{{
    {198, 33, 202, 37},
    {220, 55, 225, 60},
    {253, 22, 257, 26},
    {176, 44, 181, 49},
    {187, 66, 191, 70},
    {154, 77, 158, 81},
}};

// The stages of a frame, in the order Make3D runs them.

// Navy sky, maroon floor, silver-edged grey walls close by on both sides.
void goalScene(Canvas& bitmap)
{
    bitmap.setPenWidth(1);
    bitmap.setPenColour(Black);
    bitmap.setBrush(Navy);
    bitmap.rectangle(0, 0, 330, 198);
    bitmap.setBrush(Maroon);
    bitmap.rectangle(0, 198, 330, 330);
    drawGridLines(bitmap);
    bitmap.setBrush(Grey);
    bitmap.setPenColour(Silver);
    bitmap.polygon({{0, 0}, {33, 33}, {33, 297}, {0, 330}});
    bitmap.polygon({{330, 0}, {297, 33}, {297, 297}, {330, 330}});
}

void timeOutScene(Canvas& bitmap)
{
    bitmap.setPenWidth(1);
    bitmap.setPenColour(Black);
    bitmap.setBrush(Black);
    bitmap.rectangle(0, 0, 330, 330);
}

void sky(const game::Game& game, int heading, Canvas& bitmap)
{
    const Colour s = Colour(game.RemainingTime / 3) * 0xA0000;
    bitmap.setPenColour(s);
    const int shown = game.timeShown();
    if (shown >= 235) {
        bitmap.setBrush(s);
        bitmap.rectangle(0, 0, 330, 198);
        if (heading == 3)
            drawSun(game.RemainingTime, bitmap);
    } else {
        bitmap.setPenColour(Black);
        bitmap.setBrush(Black);
        bitmap.rectangle(0, 0, 330, 198);
    }
    const bool night = shown > 60 && shown < 270;
    if (heading == 2 && night) {
        bitmap.setBrush(Yellow);
        bitmap.ellipse(198, 33, 253, 88);
    }
    if (heading == 1 && night) {
        bitmap.setBrush(White);
        for (const auto& star : Stars)
            bitmap.ellipse(star[0], star[1], star[2], star[3]);
    }
}

void floor(Canvas& bitmap)
{
    bitmap.setPenColour(FloorColour);
    bitmap.setBrush(FloorColour);
    bitmap.rectangle(0, 198, 330, 330);
}

void floorGrid(Canvas& bitmap)
{
    bitmap.setPenColour(Silver);
    drawGridLines(bitmap);
}

// The walls' shade, left in the brush for the corridor's faces.
void wallShade(const game::Game& game, Canvas& bitmap)
{
    if (game.timeShown() < 120)
        bitmap.setBrush(Black);
    else
        bitmap.setBrush(Colour(game.RemainingTime / 6) * 0x0F0F0F);
}

// Far to near, so that nearer faces cover farther ones.
void corridor(const ViewWindow& view, Canvas& bitmap)
{
    drawFronts(view, Fronts[0], bitmap);
    for (int depth = 3; depth >= 1; --depth) {
        drawSides(view, depth, bitmap);
        drawFronts(view, Fronts[4 - depth], bitmap);
    }
    drawSides(view, 0, bitmap);
}

void border(Canvas& bitmap)
{
    bitmap.setPenColour(White);
    bitmap.setPenWidth(4);
    bitmap.polyline({{1, 1}, {1, 329}, {329, 329}, {329, 1}, {1, 1}});
}

} // namespace

void Make3D(const SceneContext& context, int row, int column, int heading, Canvas& bitmap)
{
    const game::Game& game = context.game;
    if (atGoal(row, column, heading)) {
        goalScene(bitmap);
        return;
    }
    if (game.timeShown() <= 0) {
        timeOutScene(bitmap);
        return;
    }
    bitmap.setPenWidth(1);
    sky(game, heading, bitmap);
    floor(bitmap);
    sceneryOnTheFloor(game.MazeIndex, row, column, heading, bitmap);
    floorGrid(bitmap);
    bitmap.setPenColour(White);
    wallShade(game, bitmap);
    ViewWindow view;
    view.fill(game.MazeIndex, row, column, heading);
    corridor(view, bitmap);
    border(bitmap);
    sceneryOverTheView(game.MazeIndex, row, column, heading, bitmap, context.map);
}

} // namespace render
