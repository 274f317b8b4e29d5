#include "make3d.h"

#include "colours.h"
#include "corridor.h"
#include "scenerydraw.h"

#include "game/hours.h"

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

using namespace corridor;

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
            const Box box = f.face(lane);
            bitmap.rectangle(box.left, box.top, box.right, box.bottom);
        }
}

void drawSides(const ViewWindow& view, int depth, Canvas& bitmap)
{
    for (const SideFace& side : Sides)
        if (side.depth == depth && view.isWall(side.lane, depth))
            bitmap.polygon(side.corners);
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
    const Colour s = Colour(game.RemainingTime() / 3) * 0xA0000;
    bitmap.setPenColour(s);
    const int shown = game.timeShown();
    if (shown >= game::Hour.skyLit) {
        bitmap.setBrush(s);
        bitmap.rectangle(0, 0, 330, 198);
        if (heading == 3)
            drawSun(game.RemainingTime(), bitmap);
    } else {
        bitmap.setPenColour(Black);
        bitmap.setBrush(Black);
        bitmap.rectangle(0, 0, 330, 198);
    }
    const bool night = shown > game::Hour.nightUntil && shown < game::Hour.nightFrom;
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
    if (game.timeShown() < game::Hour.wallsBlack)
        bitmap.setBrush(Black);
    else
        bitmap.setBrush(Colour(game.RemainingTime() / 6) * 0x0F0F0F);
}

// Far to near, so that nearer faces cover farther ones.
void corridorFaces(const ViewWindow& view, Canvas& bitmap)
{
    drawFronts(view, frontsAt(4), bitmap);
    for (int depth = 3; depth >= 1; --depth) {
        drawSides(view, depth, bitmap);
        drawFronts(view, frontsAt(depth), bitmap);
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
    if (game::isGoal(row, column, heading)) {
        goalScene(bitmap);
        return;
    }
    if (game.timedOut()) {
        timeOutScene(bitmap);
        return;
    }
    bitmap.setPenWidth(1);
    sky(game, heading, bitmap);
    floor(bitmap);
    sceneryOnTheFloor(game.MazeIndex(), row, column, heading, bitmap);
    floorGrid(bitmap);
    bitmap.setPenColour(White);
    wallShade(game, bitmap);
    ViewWindow view;
    view.fill(game.MazeIndex(), row, column, heading);
    corridorFaces(view, bitmap);
    border(bitmap);
    sceneryOverTheView(game.MazeIndex(), row, column, heading, bitmap, context.map);
}

} // namespace render
