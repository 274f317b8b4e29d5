// The one table of actions and the wiring of the window's controls to it:
// every action has its own row and name, every one a player can do is
// reachable from exactly one control or menu item, and a row takes only
// the arguments the game has.
#include "play/layout.h"

#include <gtest/gtest.h>

#include <climits>
#include <map>
#include <set>
#include <string>

using play::Act;

TEST(Actions, EachHasOneRowByItsOwnName)
{
    std::set<std::string> names;
    for (const play::Action& row : play::Actions) {
        EXPECT_EQ(&play::action(row.act), &row) << row.name;
        EXPECT_EQ(play::actionNamed(row.name), &row) << row.name;
        names.insert(row.name);
    }
    EXPECT_EQ(names.size(), play::Actions.size());
    EXPECT_EQ(play::actionNamed("Start"), nullptr);
}

// Each of the player's actions is wired once, to a control's mouse or a
// menu item; only the timers play the tick and the countdown.
TEST(Wiring, ReachesEveryPlayerActionOnce)
{
    std::map<Act, int> wired;
    std::map<std::pair<Act, int>, int> chosen;
    for (const play::Control& c : play::MainControls) {
        for (const auto& act : {c.does.click, c.does.press, c.does.release, c.does.rightPress})
            if (act)
                ++wired[*act];
        EXPECT_FALSE(c.does.rightPress && !c.menu.empty()) << c.name << ": a right press plays a row or opens a menu";
        EXPECT_FALSE(c.does.release && !c.does.click && !c.does.press) << c.name << ": a release without a press";
        for (const play::MenuItem& item : c.menu) {
            ++wired[item.act];
            ++chosen[{item.act, item.argument}];
            EXPECT_TRUE(play::takes(play::action(item.act), item.argument)) << item.name;
        }
    }
    for (const play::Action& row : play::Actions) {
        const bool timer = row.act == Act::Tick || row.act == Act::Countdown;
        const int expected = timer ? 0 : row.takes == play::Takes::Maze ? game::MazeCount
                                        : row.takes == play::Takes::Seconds ? int(std::size(game::TimeLimits))
                                                                            : 1;
        EXPECT_EQ(wired[row.act], expected) << row.name;
    }
    for (const auto& [item, times] : chosen)
        EXPECT_EQ(times, 1) << play::action(item.first).name << " " << item.second;
    EXPECT_EQ(play::CloseBox, Act::Quit);
}

// What each row takes: the mazes and time limits the game has, and 0 for
// the rest; anything else is refused before it reaches the game.
TEST(Actions, TakeOnlyTheArgumentsTheGameHas)
{
    const play::Action& map = play::action(Act::ChooseMaze);
    const play::Action& time = play::action(Act::ChooseTime);
    for (int maze = 0; maze < game::MazeCount; ++maze)
        EXPECT_TRUE(play::takes(map, maze));
    for (int bad : {-1, 10, INT_MIN, INT_MAX})
        EXPECT_FALSE(play::takes(map, bad)) << bad;
    for (int bad : {0, -180, 181, 299, 3600, INT_MAX, INT_MIN})
        EXPECT_FALSE(play::takes(time, bad)) << bad;
    EXPECT_TRUE(play::takes(play::action(Act::Start), 0));
    EXPECT_FALSE(play::takes(play::action(Act::Start), 1));

    // The game itself ignores what it cannot have, should a caller not ask.
    play::Playfield playfield;
    playfield.FormCreate(3);
    playfield.game.chooseMaze(4);
    playfield.game.chooseTimeLimit(240);
    for (int bad : {-1, 10, INT_MIN}) {
        play::play(playfield, Act::ChooseMaze, bad);
        play::play(playfield, Act::ChooseTime, bad);
        playfield.game.chooseStartSlot(bad);
        playfield.game.placeAt({std::uint8_t(30), 0, 0});
        playfield.game.placeAt({0, 0, std::uint8_t(4)});
    }
    EXPECT_EQ(playfield.game.MazeIndex(), 4);
    EXPECT_EQ(playfield.game.StartSlot(), 0);
    EXPECT_EQ(playfield.game.TimeLimit(), 240);
    play::play(playfield, Act::Start);
    const game::PlayerState& p = playfield.game.player();
    EXPECT_EQ((game::Placement{p.row, p.column, p.heading}), game::StartPlacements[0]);
}
