// The frame: what is drawn, in which order, with which pen and brush.
#include "render/make3d.h"
#include "drawtext.h"
#include "nullhost.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

using namespace render;

namespace {

// A game on a recording bitmap and map, running at the given count.
struct Frame {
    NullHost host;
    game::Game game{host};
    DrawList bitmap;
    DrawList mapCanvas;
    OverviewMap map{mapCanvas};

    explicit Frame(int maze = 0, int shown = 300)
    {
        game.chooseMaze(maze);
        game.Button3Click();
        game.setCountdownTo(shown);
    }

    // One tick with the player put there: the rules, then the frame.
    std::vector<std::string> draw(int row, int column, int heading)
    {
        bitmap.clear();
        game.placeAt({std::uint8_t(row), std::uint8_t(column), std::uint8_t(heading)});
        game.Timer1Timer();
        Make3D({game, map}, row, column, heading, bitmap);
        return texts(bitmap);
    }
};

// The calls drawn with the corridor's white pen and the given wall brush.
std::vector<std::string> faces(const std::vector<std::string>& calls)
{
    std::vector<std::string> out;
    for (const std::string& call : calls)
        if (call.find("pen=FFFFFF/1 ") != std::string::npos)
            out.push_back(call.substr(0, call.find(" pen=")));
    return out;
}

bool contains(const std::vector<std::string>& calls, const std::string& prefix)
{
    return std::any_of(calls.begin(), calls.end(), [&](const std::string& c) { return c.rfind(prefix, 0) == 0; });
}

const std::vector<std::string> GridLines = {
    "line 0,220 330,220 pen=C0C0C0/1",   "line 0,253 330,253 pen=C0C0C0/1",
    "line 0,297 330,297 pen=C0C0C0/1",   "line 0,220 66,198 pen=C0C0C0/1",
    "line 0,330 132,198 pen=C0C0C0/1",   "line 330,330 198,198 pen=C0C0C0/1",
    "line 330,220 264,198 pen=C0C0C0/1",
};

} // namespace

TEST(Frame, FacingOutOfTheGridShowsEveryFaceFarToNear)
{
    Frame frame;
    const auto calls = frame.draw(29, 15, 0);  // on the east border, facing out
    std::vector<std::string> expected = {
        "rect 0,0 330,198 pen=E80000/1 brush=E80000",
        "rect 0,198 330,330 pen=756475/1 brush=756475",
    };
    expected.insert(expected.end(), GridLines.begin(), GridLines.end());
    const std::string wall = " pen=FFFFFF/1 brush=F0F0EE";
    for (const char* face : {
             "rect 0,132 66,198", "rect 66,132 132,198", "rect 132,132 198,198", "rect 198,132 264,198",
             "rect 264,132 330,198",
             "polygon 0,110 0,220 66,198 66,132", "polygon 110,110 110,220 132,198 132,132",
             "polygon 220,110 220,220 198,198 198,132", "polygon 330,110 330,220 264,198 264,132",
             "rect 0,110 110,220", "rect 110,110 220,220", "rect 220,110 330,220",
             "polygon 77,77 77,253 110,220 110,110", "polygon 253,77 253,253 220,220 220,110",
             "rect -99,77 77,253", "rect 77,77 253,253", "rect 253,77 429,253",
             "polygon 33,33 33,297 77,253 77,77", "polygon 297,33 297,297 253,253 253,77",
             "rect -231,33 33,297", "rect 33,33 297,297", "rect 297,33 561,297",
             "polygon 0,0 0,330 33,297 33,33", "polygon 330,0 330,330 297,297 297,33"})
        expected.push_back(face + wall);
    expected.push_back("polyline 1,1 1,329 329,329 329,1 1,1 pen=FFFFFF/4");
    EXPECT_EQ(calls, expected);
}

TEST(Frame, GridEdgesReadAsWallsAndTheOwnCellIsNeverDrawn)
{
    // Along the north edge facing east: both left lanes lie off the grid.
    Frame frame;
    const auto along = faces(frame.draw(10, 0, 0));
    for (const char* leftFace : {"rect 0,132 66,198", "rect 66,132 132,198", "polygon 0,110 0,220 66,198 66,132",
                                 "polygon 110,110 110,220 132,198 132,132", "polygon 77,77 77,253 110,220 110,110",
                                 "polygon 33,33 33,297 77,253 77,77", "polygon 0,0 0,330 33,297 33,33"})
        EXPECT_NE(std::find(along.begin(), along.end(), leftFace), along.end()) << leftFace;

    // Standing inside the border wall draws the same as the open cell
    // beside it would if it were open: the own cell is not a face.
    Frame onWall;
    const auto fromWall = faces(onWall.draw(0, 28, 0));
    EXPECT_FALSE(contains(fromWall, "rect 33,33 297,297")) << "cell ahead (1,28) is open";
}

TEST(Frame, AWallRightAheadIsCoveredOnlyByTheNearSidesAndTheBorder)
{
    // Maze 0 from the entrance turned west: (27, 29) is the border wall.
    Frame frame;
    const auto calls = frame.draw(28, 29, 2);
    const auto ahead = std::find_if(calls.begin(), calls.end(),
                                    [](const std::string& c) { return c.rfind("rect 33,33 297,297", 0) == 0; });
    ASSERT_NE(ahead, calls.end());
    for (auto after = ahead + 1; after != calls.end(); ++after)
        EXPECT_TRUE(after->rfind("polygon 0,0 0,330", 0) == 0 || after->rfind("polygon 330,0 330,330", 0) == 0 ||
                    after->rfind("polyline", 0) == 0)
            << *after;
}

TEST(Frame, AnOpenCorridorLetsTheSkyShowThroughTheFarPlane)
{
    // Search the mazes for a corridor walled on both sides for four cells
    // with the fifth cell ahead open: only side faces and the two far fronts.
    for (int maze = 0; maze < game::MazeCount; ++maze)
        for (int row = 0; row < 30; ++row)
            for (int column = 0; column < 30; ++column)
                for (int heading = 0; heading < 4; ++heading) {
                    ViewWindow view;
                    view.fill(maze, row, column, heading);
                    bool corridor = !view.isWall(2, 0);
                    for (int depth = 0; depth <= 4 && corridor; ++depth)
                        corridor = view.isWall(1, depth) && view.isWall(3, depth) &&
                                   (depth == 0 || !view.isWall(2, depth));
                    if (!corridor)
                        continue;
                    Frame frame(maze);
                    const auto drawn = faces(frame.draw(row, column, heading));
                    for (const char* face : {"polygon 110,110", "polygon 220,110", "polygon 77,77", "polygon 253,77",
                                             "polygon 33,33", "polygon 297,33", "polygon 0,0", "polygon 330,0",
                                             "rect 66,132 132,198", "rect 198,132 264,198"})
                        EXPECT_TRUE(contains(drawn, face)) << face;
                    for (const char* centre : {"rect 132,132", "rect 110,110", "rect 77,77", "rect 33,33"})
                        EXPECT_FALSE(contains(drawn, centre)) << centre;
                    return;
                }
    FAIL() << "no straight walled corridor in any maze";
}

TEST(Frame, GoalIsTestedBeforeTimeOutAndEndsTheGame)
{
    Frame frame(0, 0);
    const auto calls = frame.draw(1, 1, 1);
    ASSERT_FALSE(calls.empty());
    EXPECT_EQ(calls.front(), "rect 0,0 330,198 pen=000000/1 brush=800000");
    EXPECT_EQ(calls[1], "rect 0,198 330,330 pen=000000/1 brush=000080");
    EXPECT_EQ(calls.back(), "polygon 330,0 297,33 297,297 330,330 pen=C0C0C0/1 brush=808080");
    EXPECT_EQ(calls.size(), 2u + 7u + 2u);
    EXPECT_TRUE(frame.game.panels().won);
    EXPECT_FALSE(frame.game.panels().trapped);
    EXPECT_FALSE(frame.game.GameActive());
    EXPECT_EQ(frame.game.countdown().interval(), 0u);
    EXPECT_EQ(frame.game.timeShown(), 0) << "the goal keeps the count it found";

    // A pending step request or another heading is not the goal.
    Frame notYet;
    notYet.draw(1, 1, 1 | game::MoveRequest);
    EXPECT_FALSE(notYet.game.panels().won);
    notYet.draw(1, 1, 2);
    EXPECT_FALSE(notYet.game.panels().won);
}

TEST(Frame, TimeOutBlacksOutTheViewEvenBelowZero)
{
    Frame frame(0, -7);
    const auto calls = frame.draw(28, 29, 1);
    EXPECT_EQ(calls, std::vector<std::string>{"rect 0,0 330,330 pen=000000/1 brush=000000"});
    EXPECT_EQ(frame.game.timeShown(), 0);
    EXPECT_TRUE(frame.game.panels().trapped);
    EXPECT_FALSE(frame.game.GameActive());
    EXPECT_EQ(frame.game.countdown().interval(), 0u);
}

TEST(TimeOfDay, SkyAndWallsChangeExactlyAtTheirThresholds)
{
    auto skyBrush = [](int shown) {
        Frame frame(0, shown);
        return frame.draw(28, 29, 0).front();
    };
    EXPECT_EQ(skyBrush(235), "rect 0,0 330,198 pen=0C0000/1 brush=0C0000");
    EXPECT_EQ(skyBrush(234), "rect 0,0 330,198 pen=000000/1 brush=000000");

    auto wallBrush = [](int shown) {
        Frame frame(0, shown);
        const auto calls = frame.draw(29, 15, 0);
        return calls[9].substr(calls[9].find("brush="));
    };
    EXPECT_EQ(wallBrush(120), "brush=2D2D2C");  // (120 / 6) * 0x0F0F0F, low 24 bits
    EXPECT_EQ(wallBrush(119), "brush=000000");
    EXPECT_EQ(wallBrush(300), "brush=F0F0EE");
    EXPECT_EQ(wallBrush(204), "brush=FFFFFE");
}

TEST(TimeOfDay, MoonAndStarsShowBetween61And269)
{
    auto sky = [](int shown, int heading) {
        Frame frame(0, shown);
        return frame.draw(15, 15, heading);
    };
    EXPECT_TRUE(contains(sky(269, 2), "ellipse 198,33 253,88 pen=7A0000/1 brush=00FFFF"));
    EXPECT_FALSE(contains(sky(270, 2), "ellipse"));
    EXPECT_TRUE(contains(sky(61, 2), "ellipse 198,33 253,88 pen=000000/1"));
    EXPECT_FALSE(contains(sky(60, 2), "ellipse"));
    const auto stars = sky(100, 1);
    EXPECT_EQ(std::count_if(stars.begin(), stars.end(),
                            [](const std::string& c) { return c.rfind("ellipse", 0) == 0 && c.find("brush=FFFFFF") != std::string::npos; }),
              6);
    EXPECT_FALSE(contains(sky(100, 0), "ellipse")) << "nothing in the east";
}

TEST(TimeOfDay, TheSunSinksAlongItsPath)
{
    struct Step {
        int remaining;
        const char* ellipse;
    };
    for (const Step& step : {Step{300, "ellipse 132,-33 187,22"}, Step{290, "ellipse 176,11 231,66"},
                             Step{284, "ellipse 198,33 253,88"}, Step{280, "ellipse 198,33 253,88"},
                             Step{270, "ellipse 242,77 297,132"}, Step{255, "ellipse 297,132 352,187"},
                             Step{235, "ellipse 363,198 418,253"}}) {
        Frame frame(0, step.remaining);
        EXPECT_TRUE(contains(frame.draw(15, 15, 3), std::string(step.ellipse) + " pen=0000FF/1 brush=0000FF"))
            << step.remaining;
    }
    // Above 300 the sun and the sky hold at their 300-second look.
    Frame early(0, 360);
    EXPECT_TRUE(contains(early.draw(15, 15, 3), "ellipse 132,-33 187,22"));
    EXPECT_EQ(early.game.RemainingTime(), 300);
    Frame late(0, 234);
    EXPECT_FALSE(contains(late.draw(15, 15, 3), "ellipse"));
}
