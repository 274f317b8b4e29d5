// The scenery tables and the overview map, against the figures they were
// written from and against the mazes they decorate.
#include "game/waterways.h"
#include "render/colours.h"
#include "render/scenery.h"
#include "play/playfield.h"
#include "pixels.h"

#include <gtest/gtest.h>

#include <array>
#include <set>

using namespace render;

namespace {

constexpr std::array<int, game::MazeCount> ViewCounts = {255, 8, 8, 134, 212, 293, 534, 304, 115, 398};

// Points and cells passed of each waterway line, maze by maze.
const std::array<std::vector<std::pair<int, int>>, game::MazeCount> LineFigures = {{
    {{13, 45}}, {}, {}, {{6, 25}}, {{12, 39}}, {{6, 30}, {5, 27}},
    {{6, 12}, {17, 39}, {7, 23}, {3, 7}, {11, 20}, {8, 19}},
    {{3, 11}, {3, 20}, {3, 28}}, {{5, 24}}, {{2, 28}, {2, 28}},
}};

// The cells whose centres a polyline runs through, ends included.
std::set<std::pair<int, int>> cellsPassed(const std::vector<Point>& line)
{
    std::set<std::pair<int, int>> cells;
    for (std::size_t i = 0; i + 1 < line.size(); ++i) {
        Point p = line[i];
        const Point q = line[i + 1];
        const int dx = (q.x > p.x) - (q.x < p.x), dy = (q.y > p.y) - (q.y < p.y);
        for (;; p.x += 4 * dx, p.y += 4 * dy) {
            cells.insert({(p.x - 2) / 4, (p.y - 2) / 4});
            if (p == q)
                break;
        }
    }
    return cells;
}

// A game just started in the given maze.
void startIn(play::Playfield& playfield, int maze)
{
    playfield.FormCreate(1);
    playfield.game.chooseMaze(maze);
    playfield.game.Button3Click();
}

bool open(int maze, int row, int column)
{
    return game::onGrid(row, column) && !game::IsWall(maze, row, column);
}

} // namespace

// Each line's stated count is checked as the game is compiled; these are
// the totals the design gives.
TEST(Scenery, EveryMazeHasItsStatedNumberOfFloorViews)
{
    for (int maze = 0; maze < game::MazeCount; ++maze)
        EXPECT_EQ(int(scenery(maze).viewPositions().size()), ViewCounts[maze]) << maze;
}

TEST(Scenery, LiesOnOpenFloorAndMatchesTheMapLines)
{
    for (int maze = 0; maze < game::MazeCount; ++maze) {
        SCOPED_TRACE(maze);
        const SceneryTable& table = scenery(maze);
        for (const Position& p : table.viewPositions())
            EXPECT_TRUE(open(maze, p.row, p.column)) << p.row << "," << p.column;

        std::set<std::pair<int, int>> scenery;
        for (const game::Cell& cell : game::waterwayCells(maze)) {
            EXPECT_TRUE(open(maze, cell.row, cell.column));
            scenery.insert({cell.row, cell.column});
        }
        if (table.shrine())
            for (const game::Cell& mark : *table.shrine()) {
                EXPECT_TRUE(open(maze, mark.row, mark.column));
                EXPECT_FALSE(game::isWaterway(maze, mark.row, mark.column)) << "a bridge is no water";
                scenery.insert({mark.row, mark.column});
            }

        std::set<std::pair<int, int>> drawn;
        const auto lines = waterwayLines(maze);
        ASSERT_EQ(lines.size(), LineFigures[maze].size());
        for (std::size_t i = 0; i < lines.size(); ++i) {
            const auto passed = cellsPassed(lines[i]);
            EXPECT_EQ(int(lines[i].size()), LineFigures[maze][i].first);
            EXPECT_EQ(int(passed.size()), LineFigures[maze][i].second);
            for (const auto& cell : passed)
                EXPECT_TRUE(drawn.insert(cell).second) << "two lines share a cell";
        }
        EXPECT_EQ(drawn, scenery) << "waterways and bridges are exactly the cells the lines pass";
    }
}

TEST(Scenery, ShrinesStandAtTheEndOfADeadEndAlley)
{
    for (int maze = 0; maze < game::MazeCount; ++maze) {
        SCOPED_TRACE(maze);
        const auto& shrine = scenery(maze).shrine();
        ASSERT_EQ(shrine.has_value(), maze != 1 && maze != 2);
        if (!shrine)
            continue;
        const Position near = shrine->nearView, far = shrine->farView;
        for (int turn : {0, 1, 3}) {  // ahead, left, right
            const game::Cell next = game::stepFrom(near.row, near.column, (near.heading + turn) & 3);
            EXPECT_FALSE(open(maze, next.row, next.column)) << "turn " << turn;
        }
        EXPECT_EQ(game::stepFrom(far.row, far.column, far.heading), (game::Cell{near.row, near.column}));
        EXPECT_EQ(far.heading, near.heading);
    }
}

TEST(Scenery, CanonicalListingOfAFewKnownPositions)
{
    const std::string maze0 = describe(0);
    EXPECT_NE(maze0.find("view 13 17 2 W=L1,C1 B=R1\n"), std::string::npos);
    EXPECT_NE(maze0.find("view 14 17 2 W=- B=R2\n"), std::string::npos);
    EXPECT_NE(maze0.find("view 12 16 0 W=L0,R0 B=C0\n"), std::string::npos);
    EXPECT_EQ(maze0.find("view 12 16 1 "), std::string::npos);
    EXPECT_NE(maze0.find("shrine far 16 27 3 near 16 28 3 marks 12 16\n"), std::string::npos);
    EXPECT_EQ(describe(6).find("shrine far 19 23 1 near 19 22 1 marks 10 8 24 1 15 13 18 15 13 16 1 21\n") ==
                  std::string::npos,
              false);
    EXPECT_NE(describe(9).find("blackens 0\n"), std::string::npos);
    EXPECT_NE(describe(1).find("shrine none\n"), std::string::npos);
}

TEST(Waterway, FallingInHalvesTheCountdownOnEveryTickUntilStartOrRedo)
{
    play::Playfield playfield;
    startIn(playfield, 0);
    playfield.game.placeAt({12, 15, 0});
    std::vector<unsigned> periods;
    for (int tick = 0; tick < 11; ++tick) {
        playfield.Timer1Timer();
        periods.push_back(playfield.game.countdown().interval());
    }
    EXPECT_EQ(periods, (std::vector<unsigned>{501, 251, 126, 64, 33, 17, 9, 5, 3, 2, 2}));
    EXPECT_EQ(playfield.game.notice(), game::Notice::Splash);
    const Bitmap& scene = playfield.sceneBitmap();
    EXPECT_EQ(scene.pixel(165, 315), rgb(0, 0, 0)) << "the near band goes black";

    playfield.game.placeAt({12, 14, 0});  // out of the water: still fast
    playfield.Timer1Timer();
    EXPECT_EQ(playfield.game.countdown().interval(), 2u);
    playfield.game.Button1Click();
    EXPECT_EQ(playfield.game.countdown().interval(), 1000u);
    EXPECT_EQ(playfield.game.notice(), game::Notice::None);
}

TEST(Waterway, Maze9KeepsTheNearBandButRunsTheClockFaster)
{
    play::Playfield playfield;
    startIn(playfield, 9);
    playfield.game.placeAt({10, 8, 1});
    playfield.Timer1Timer();
    EXPECT_EQ(playfield.game.countdown().interval(), 501u);
    EXPECT_EQ(playfield.game.notice(), game::Notice::Splash);
    EXPECT_EQ(playfield.sceneBitmap().pixel(165, 315), pixelOf(Water));
}

TEST(Shrine, NearViewMarksEveryBridgeOnTheMapWithADarkRedBrushThatStays)
{
    play::Playfield playfield;
    startIn(playfield, 6);
    playfield.MaeBtnMouseUp();  // the trail's black 4-pixel pen
    playfield.game.placeAt({19, 22, 1});
    playfield.Timer1Timer();
    const Bitmap& map = playfield.mapBitmap();
    for (const game::Cell mark : {game::Cell{10, 8}, {24, 1}, {15, 13}, {18, 15}, {13, 16}, {1, 21}})
        EXPECT_EQ(map.pixel(4 * mark.row + 2, 4 * mark.column + 2), rgb(0, 0, 0)) << mark.row << "," << mark.column;
    const Bitmap& scene = playfield.sceneBitmap();
    EXPECT_EQ(scene.pixel(165, 140), pixelOf(Red)) << "the near gate's crossbeam";
}

TEST(OverviewMap, StartDrawsTheWaterwaysAndTheFlashRestoresEveryPixel)
{
    play::Playfield playfield;
    startIn(playfield, 8);
    const Bitmap& map = playfield.mapBitmap();
    // A closed teal square through the centres of (12,11), (18,11), (18,17), (12,17).
    for (const Point p : {Point{50, 46}, Point{74, 46}, Point{74, 70}, Point{50, 70}, Point{62, 46}, Point{50, 58}})
        EXPECT_EQ(map.pixel(p.x, p.y), pixelOf(Teal)) << p.x << "," << p.y;
    EXPECT_EQ(map.pixel(62, 58), rgb(255, 255, 255));

    playfield.game.chooseMaze(0);
    playfield.game.Button3Click();
    playfield.MaeBtnMouseUp();
    playfield.game.MaeBtnClick();
    playfield.Timer1Timer();  // one step north from the entrance, drawn black
    EXPECT_EQ(map.pixel(4 * 28 + 2, 4 * 28 + 2), rgb(0, 0, 0));

    const Bitmap before = map;
    playfield.probePressed();
    EXPECT_NE(map, before);
    EXPECT_EQ(map.pixel(4 * 28 + 2, 4 * 28 + 2), rgb(255, 0, 255)) << "magenta over the trail";
    EXPECT_EQ(map.pixel(4 * 28 + 4, 4 * 28 + 1), rgb(0, 255, 0)) << "lime on white";
    playfield.probeReleased();
    EXPECT_EQ(map, before);
}
