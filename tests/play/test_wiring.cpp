// The one table of actions and the wiring of the window's controls to it:
// every action has its own row and name, every one a player can do is
// reachable from exactly one control or menu item, and what reaches the
// game is only what the game can have.
#include "play/layout.h"

#include <gtest/gtest.h>

#include <climits>
#include <map>

using play::Act;

TEST(Wiring, ReachesEveryActionOnceByItsOwnRow)
{
    std::map<std::pair<Act, int>, int> wired;
    for (const play::Control& c : play::MainControls) {
        for (const auto& act : {c.does.click, c.does.press, c.does.release, c.does.rightPress})
            if (act)
                ++wired[{*act, 0}];
        EXPECT_FALSE(c.does.rightPress && !c.menu.empty()) << c.name << ": a right press plays a row or opens a menu";
        for (const play::MenuItem& item : c.menu) {
            ++wired[{item.act, item.argument}];
            EXPECT_TRUE(play::takes(play::action(item.act), item.argument)) << item.name;
        }
    }
    for (const play::Action& row : play::Actions) {
        EXPECT_EQ(&play::action(row.act), &row) << row.name;
        EXPECT_EQ(play::actionNamed(row.name), &row) << row.name;
        const bool timer = row.act == Act::Tick || row.act == Act::Countdown;
        if (row.takes == play::Takes::Nothing) {
            EXPECT_EQ(wired.contains({row.act, 0}), !timer) << row.name;
        }
    }
    for (const auto& [act, times] : wired)
        EXPECT_EQ(times, 1) << play::action(act.first).name << " " << act.second;
    EXPECT_EQ(wired.size(), play::Actions.size() - 4 + game::MazeCount + std::size(game::TimeLimits));
}

// A set-up the game cannot have changes nothing, whoever asks.
TEST(Wiring, BadValuesNeverReachTheGame)
{
    play::Playfield playfield;
    playfield.FormCreate(3);
    play::play(playfield, Act::ChooseMaze, 4);
    play::play(playfield, Act::ChooseTime, 240);
    for (int bad : {-1, 10, 181, INT_MIN, INT_MAX}) {
        play::play(playfield, Act::ChooseMaze, bad);
        play::play(playfield, Act::ChooseTime, bad);
        playfield.game.chooseStartSlot(bad);
    }
    playfield.game.placeAt({30, 0, 0});
    playfield.game.placeAt({0, 0, 4});
    EXPECT_FALSE(play::takes(play::action(Act::Start), 1));
    EXPECT_EQ(playfield.game.MazeIndex(), 4);
    EXPECT_EQ(playfield.game.TimeLimit(), 240);
    play::play(playfield, Act::Start);
    const game::PlayerState& p = playfield.game.player();
    EXPECT_EQ((game::Placement{p.row, p.column, p.heading}), game::StartPlacements[0]);
}
