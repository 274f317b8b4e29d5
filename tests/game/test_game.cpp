// The rules of a game: stepping and turning, Start and Redo, the countdown,
// the menus and the set-up at window creation.
#include "game/game.h"
#include "game/waterways.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <string>
#include <vector>

using namespace game;

namespace {

// Stands in for the window: records everything the rules ask of it, in order.
struct RecordingHost final : GameHost {
    struct Step {
        Cell from, to;
        friend bool operator==(const Step&, const Step&) = default;
    };
    int beeps = 0;
    std::vector<std::string> mapCalls;  // "clear", "waterways N"
    std::vector<Step> steps;

    void beep() override { ++beeps; }
    void clearMap() override { mapCalls.push_back("clear"); }
    void drawWaterwayLines(int maze) override { mapCalls.push_back("waterways " + std::to_string(maze)); }
    void drawStep(Cell from, Cell to) override { steps.push_back({from, to}); }
};

// The heading's step written out on its own: 0 east, 1 north, 2 west, 3 south.
constexpr std::array<Cell, 4> Offsets{{{1, 0}, {0, -1}, {-1, 0}, {0, 1}}};

struct Position {
    int row, column, heading;
    friend bool operator==(const Position&, const Position&) = default;
};

Position where(const Game& g) { return {g.player().row, g.player().column, g.player().heading}; }

std::ostream& operator<<(std::ostream& out, const Position& p)
{
    return out << "(" << p.row << ", " << p.column << ", heading byte " << p.heading << ")";
}

// A game that runs, in the given maze, standing where the test puts it.
struct Fixture {
    RecordingHost host;
    Game game{host};
    std::vector<unsigned> restarts;  // every period the countdown was restarted with

    explicit Fixture(int maze = 0)
    {
        game.onCountdownRestart([this](unsigned ms) { restarts.push_back(ms); });
        game.FormCreate(1);
        game.chooseMaze(maze);
    }
    void put(int row, int column, int heading)
    {
        game.placeAt({std::uint8_t(row), std::uint8_t(column), std::uint8_t(heading)});
    }
    // A forward click and the tick after it; whether the player moved.
    bool stepForward()
    {
        game.MaeBtnClick();
        return game.Timer1Step();
    }
};

} // namespace

// Every cell of every maze, every heading: a step is taken exactly when the
// target lies on the grid and is open, whatever the player stands on, and
// the request is used up either way.
TEST(Stepping, FollowsTheHeadingAndNeverLeavesTheGridOrEntersAWall)
{
    Fixture f;
    f.game.Button1Click();
    int steps = 0;
    for (int maze = 0; maze < MazeCount; ++maze) {
        f.game.chooseMaze(maze);
        for (int row = 0; row < MazeSize; ++row) {
            for (int column = 0; column < MazeSize; ++column) {
                for (int h = 0; h < 4; ++h) {
                    const Cell target{row + Offsets[h].row, column + Offsets[h].column};
                    const bool allowed = target.row >= 0 && target.row < MazeSize && target.column >= 0 &&
                                         target.column < MazeSize && !IsWall(maze, target.row, target.column);
                    f.put(row, column, h);
                    const bool moved = f.stepForward();
                    const Position expected = allowed ? Position{target.row, target.column, h} : Position{row, column, h};
                    ASSERT_EQ(moved, allowed) << "maze " << maze << " from " << Position{row, column, h};
                    ASSERT_EQ(where(f.game), expected) << "maze " << maze;
                    steps += allowed;
                }
            }
        }
    }
    EXPECT_EQ(int(f.host.steps.size()), steps);
    EXPECT_EQ(f.host.beeps, MazeCount * MazeCells * 4);  // an accepted click beeps, stepped or not

    // The corners named in the rules, in maze 0.
    f.game.chooseMaze(0);
    f.put(28, 29, 3);  // the bottom opening facing south: column 30 is off the grid
    EXPECT_FALSE(f.stepForward());
    f.put(1, 0, 1);  // the top opening facing north: column -1 is off the grid
    EXPECT_FALSE(f.stepForward());
    f.put(1, 1, 1);  // just inside the top opening: the opening is an ordinary open cell
    EXPECT_TRUE(f.stepForward());
    EXPECT_EQ(where(f.game), (Position{1, 0, 1}));
    EXPECT_EQ(f.host.steps.back(), (RecordingHost::Step{{1, 1}, {1, 0}}));
}

// Slots 1 and 2 stand inside the border wall: the first step leaves it in
// every maze, and no step ever leads back onto it.
TEST(Stepping, BorderStartCellsAreLeftAndNeverEnteredAgain)
{
    struct Case {
        int slot;
        Position start, first;
    };
    for (const Case c : {Case{1, {0, 28, 0}, {1, 28, 0}}, Case{2, {29, 1, 2}, {28, 1, 2}}}) {
        for (int maze = 0; maze < MazeCount; ++maze) {
            SCOPED_TRACE("maze " + std::to_string(maze) + ", slot " + std::to_string(c.slot));
            Fixture f(maze);
            f.game.chooseStartSlot(c.slot);
            f.game.Button3Click();
            ASSERT_EQ(where(f.game), c.start);
            ASSERT_TRUE(IsWall(maze, c.start.row, c.start.column));
            EXPECT_TRUE(f.stepForward());
            EXPECT_EQ(where(f.game), c.first);
            f.game.LeftBtnClick();
            f.game.LeftBtnClick();
            EXPECT_FALSE(f.stepForward());
            EXPECT_FALSE(f.game.Timer1Step());
            EXPECT_EQ(where(f.game), (Position{c.first.row, c.first.column, (c.first.heading + 2) % 4}));
            EXPECT_EQ(f.host.beeps, 2);
        }
    }
}

// The request bit is the only hand-off between clicks and the tick.
TEST(Stepping, ClicksWithinOneTickGiveOneStepAndATurnCancelsIt)
{
    Fixture f(0);
    f.game.Button3Click();  // (28, 29) facing north; (28, 28) and (27, 28) are open in maze 0
    ASSERT_FALSE(IsWall(0, 27, 28));

    // Three clicks, one tick: one step, three beeps.
    f.game.MaeBtnClick();
    f.game.MaeBtnClick();
    f.game.MaeBtnClick();
    EXPECT_EQ(f.game.player().heading, 1 | MoveRequest);
    EXPECT_EQ(f.host.beeps, 3);
    EXPECT_TRUE(f.game.Timer1Step());
    EXPECT_EQ(where(f.game), (Position{28, 28, 1}));
    EXPECT_FALSE(f.game.Timer1Step());
    EXPECT_EQ(where(f.game), (Position{28, 28, 1}));

    // A click and then a turn before the tick: the heading turns, no step.
    f.game.MaeBtnClick();
    f.game.LeftBtnClick();
    EXPECT_EQ(f.game.player().heading, 2);
    EXPECT_FALSE(f.game.Timer1Step());
    f.game.MaeBtnClick();
    f.game.RightBtnClick();
    EXPECT_EQ(f.game.player().heading, 1);
    EXPECT_FALSE(f.game.Timer1Step());
    EXPECT_EQ(where(f.game), (Position{28, 28, 1}));

    // Four turns either way come back; a click after the turns steps the new way.
    for (int i = 0; i < 4; ++i)
        f.game.LeftBtnClick();
    EXPECT_EQ(f.game.player().heading, 1);
    for (int i = 0; i < 4; ++i)
        f.game.RightBtnClick();
    EXPECT_EQ(f.game.player().heading, 1);
    f.game.LeftBtnClick();
    f.game.RightBtnClick();
    f.game.LeftBtnClick();
    EXPECT_TRUE(f.stepForward());
    EXPECT_EQ(where(f.game), (Position{27, 28, 2}));
    EXPECT_EQ(f.host.beeps, 6);
    EXPECT_EQ(f.host.steps.size(), 2u);
}

// A step into a wall is dropped: the click beeps, and neither that tick nor
// any later one moves the player.
TEST(Stepping, RefusedStepBeepsAndIsNotKeptForLater)
{
    Fixture f(0);
    f.game.Button3Click();
    f.game.RightBtnClick();  // (28, 29) facing east: row 29 is the border wall
    ASSERT_TRUE(IsWall(0, 29, 29));
    f.game.MaeBtnClick();
    EXPECT_EQ(f.host.beeps, 1);
    EXPECT_FALSE(f.game.Timer1Step());
    EXPECT_EQ(f.game.player().heading, 0);  // the request is used up
    for (int i = 0; i < 5; ++i)
        EXPECT_FALSE(f.game.Timer1Step());
    // Turning towards open floor afterwards does not revive the old click.
    f.game.LeftBtnClick();
    EXPECT_FALSE(f.game.Timer1Step());
    EXPECT_EQ(where(f.game), (Position{28, 29, 1}));
    EXPECT_TRUE(f.host.steps.empty());
}

// Before the first Start or Redo, and once a game has ended, the three
// movement buttons do nothing at all: no beep, no turn, no step.
TEST(Controls, MovementButtonsDoNothingWhileNoGameRuns)
{
    for (std::uint64_t seed : {0u, 7u, 42u}) {
        RecordingHost host;
        Game g(host);
        g.FormCreate(seed);
        const Position created = where(g);
        for (int round = 0; round < 2; ++round) {
            g.LeftBtnClick();
            g.RightBtnClick();
            g.RightBtnClick();
            g.MaeBtnClick();
            EXPECT_FALSE(g.Timer1Step());
            EXPECT_EQ(where(g), created);
            EXPECT_EQ(host.beeps, 0);
            EXPECT_TRUE(host.steps.empty());
            // A game that has ended: run out of time.
            g.Button1Click();
            g.setCountdownTo(0);
            g.Timer1Timer();
            ASSERT_FALSE(g.GameActive());
        }
    }
}

// The two ways into a game, side by side, from the same mid-game state.
TEST(StartAndRedo, ResetWhatEachOfThemResets)
{
    for (const bool start : {true, false}) {
        SCOPED_TRACE(start ? "Start" : "Redo");
        Fixture f(3);
        f.game.Button3Click();
        f.host.mapCalls.clear();
        f.restarts.clear();
        // A game played into every mark: won, redone on the goal, dusk,
        // trapped, then fallen into the water (the countdown sped up even
        // in an ended game), with a new slot and limit chosen.
        f.put(1, 1, 1);
        f.game.Timer1Timer();
        f.game.Button1Click();
        f.put(17, 22, 2);
        f.game.setCountdownTo(230);
        f.game.Timer1Timer();
        f.game.setCountdownTo(0);
        f.game.Timer1Timer();
        f.game.setCountdownTo(17);
        ASSERT_TRUE(isWaterway(3, 2, 6));
        f.put(2, 6, 2);
        f.game.Timer1Timer();
        f.put(17, 22, 2);
        f.game.chooseTimeLimit(240);
        f.game.chooseStartSlot(4);
        ASSERT_TRUE(f.game.panels().trapped && f.game.panels().won && f.game.DuskNoticeShown());
        ASSERT_EQ(f.game.notice(), game::Notice::Splash);
        ASSERT_EQ(f.game.countdown().interval(), 1u);
        ASSERT_FALSE(f.game.GameActive());
        f.restarts.clear();

        start ? f.game.Button3Click() : f.game.Button1Click();

        EXPECT_EQ(where(f.game), (start ? Position{17, 22, 0} : Position{17, 22, 2}));
        EXPECT_EQ(f.host.mapCalls, (start ? std::vector<std::string>{"clear", "waterways 3"} : std::vector<std::string>{}));
        EXPECT_FALSE(f.game.panels().trapped);
        EXPECT_EQ(f.game.panels().won, !start);
        EXPECT_EQ(f.game.DuskNoticeShown(), !start);
        EXPECT_EQ(f.game.notice(), game::Notice::None);
        EXPECT_EQ(f.game.timeShown(), 240);
        EXPECT_EQ(f.game.countdown().interval(), 1000u);
        EXPECT_EQ(f.restarts, std::vector<unsigned>{1000});
        EXPECT_TRUE(f.game.GameActive());
        EXPECT_EQ(f.game.RemainingTime(), 17);
        EXPECT_EQ(f.game.MazeIndex(), 3);
        EXPECT_EQ(f.game.StartSlot(), 4);
        EXPECT_EQ(f.game.TimeLimit(), 240);
        EXPECT_TRUE(f.host.steps.empty());

        // Again during the running game: the countdown keeps its phase.
        start ? f.game.Button3Click() : f.game.Button1Click();
        EXPECT_EQ(f.restarts, std::vector<unsigned>{1000});
    }
}

// Redo before any Start begins a game where creation put the player, on a
// map that nobody prepared.
TEST(StartAndRedo, RedoBeforeTheFirstStartPlaysFromTheCreatedPlacement)
{
    RecordingHost host;
    Game g(host);
    g.FormCreate(12345);
    const Position created = where(g);
    EXPECT_EQ(g.countdown().interval(), 0u);
    g.Button1Click();
    EXPECT_TRUE(g.GameActive());
    EXPECT_EQ(where(g), created);
    EXPECT_EQ(g.countdown().interval(), 1000u);
    EXPECT_EQ(g.timeShown(), 300);
    EXPECT_TRUE(host.mapCalls.empty());
}

// The countdown takes one from the number on show, with no floor, whether
// or not a game runs; only the scenes stop it.
TEST(Countdown, CountsOnBelowZero)
{
    Fixture f(0);
    f.game.Timer2Timer();
    EXPECT_EQ(f.game.timeShown(), 299);  // counts from the designed text even while idle
    f.game.Button3Click();
    f.game.setCountdownTo(2);
    for (int i = 0; i < 5; ++i)
        f.game.Timer2Timer();
    EXPECT_EQ(f.game.timeShown(), -3);
    EXPECT_EQ(f.game.timeShown(), -3);
    EXPECT_EQ(f.game.RemainingTime(), -3);
    f.game.Timer2Timer();
    EXPECT_EQ(f.game.timeShown(), -4);
    EXPECT_EQ(f.game.RemainingTime(), -4);
    EXPECT_TRUE(f.game.GameActive());  // the count alone ends nothing
}

// A maze chosen during a game is stepped in at once, from where the player
// stands; a time limit waits for the next Start or Redo.
TEST(Menus, MazeChoiceActsAtOnceAndTimeLimitWaits)
{
    // (17, 22) facing north looks at (17, 21): open in maze 0, wall in maze 5.
    ASSERT_FALSE(IsWall(0, 17, 21));
    ASSERT_TRUE(IsWall(5, 17, 21));
    Fixture f(0);
    f.game.chooseStartSlot(3);
    f.game.Button3Click();
    f.game.Timer2Timer();
    f.host.mapCalls.clear();

    f.game.chooseMaze(5);
    EXPECT_EQ(f.game.MazeIndex(), 5);
    EXPECT_EQ(f.game.StartSlot(), 0);
    EXPECT_EQ(where(f.game), (Position{17, 22, 1}));
    EXPECT_EQ(f.game.timeShown(), 299);
    EXPECT_TRUE(f.game.GameActive());
    EXPECT_TRUE(f.host.mapCalls.empty());
    EXPECT_FALSE(f.stepForward());

    f.game.chooseMaze(0);
    EXPECT_EQ(f.game.MazeIndex(), 0);
    EXPECT_TRUE(f.stepForward());
    EXPECT_EQ(where(f.game), (Position{17, 21, 1}));

    f.game.chooseTimeLimit(180);
    EXPECT_EQ(f.game.timeShown(), 299);
    EXPECT_EQ(f.game.countdown().interval(), 1000u);
    f.game.Timer2Timer();
    EXPECT_EQ(f.game.timeShown(), 298);
    f.game.Button1Click();
    EXPECT_EQ(f.game.timeShown(), 180);
    EXPECT_EQ(where(f.game), (Position{17, 21, 1}));

    // The next Start uses slot 0, the new maze's waterways and the new limit.
    f.game.chooseTimeLimit(360);
    f.game.Button3Click();
    EXPECT_EQ(where(f.game), (Position{28, 29, 1}));
    EXPECT_EQ(f.game.timeShown(), 360);
    EXPECT_EQ(f.host.mapCalls, (std::vector<std::string>{"clear", "waterways 0"}));
}

// Creation: the same seed gives the same game; over many seeds every maze
// and every slot comes up about equally often, and every pairing of them.
TEST(FormCreate, SetsUpAnIdleGameWithAFairRandomMazeAndSlot)
{
    constexpr int Seeds = 14000;
    std::array<int, MazeCount> mazes{};
    std::array<int, StartSlotCount> slots{};
    std::array<int, MazeCount * StartSlotCount> pairs{};
    for (std::uint64_t seed = 0; seed < Seeds; ++seed) {
        RecordingHost host;
        Game g(host);
        g.FormCreate(seed);
        ASSERT_GE(g.MazeIndex(), 0);
        ASSERT_LT(g.MazeIndex(), MazeCount);
        ASSERT_GE(g.StartSlot(), 0);
        ASSERT_LT(g.StartSlot(), StartSlotCount);
        const Placement& p = StartPlacements[g.StartSlot()];
        ASSERT_EQ(where(g), (Position{p.row, p.column, p.heading}));
        ++mazes[g.MazeIndex()];
        ++slots[g.StartSlot()];
        ++pairs[g.MazeIndex() * StartSlotCount + g.StartSlot()];

        if (seed % 1000 == 0) {
            RecordingHost otherHost;
            Game again(otherHost);
            again.FormCreate(seed);
            EXPECT_EQ(again.MazeIndex(), g.MazeIndex());
            EXPECT_EQ(again.StartSlot(), g.StartSlot());
            EXPECT_EQ(where(again), where(g));
            EXPECT_EQ(g.TimeLimit(), 300);
            EXPECT_EQ(g.RemainingTime(), 300);
            EXPECT_EQ(g.countdown().interval(), 0u);
            EXPECT_FALSE(g.GameActive());
            EXPECT_FALSE(g.DuskNoticeShown());
            EXPECT_EQ(g.timeShown(), 300);
            EXPECT_EQ(g.notice(), game::Notice::None);
            EXPECT_FALSE(g.panels().trapped);
            EXPECT_FALSE(g.panels().won);
            EXPECT_TRUE(host.mapCalls.empty());
        }
    }
    // Pearson's chi-squared against the uniform law, at the 0.1 % level.
    const auto chiSquared = [](const auto& counts) {
        const double expected = double(Seeds) / double(counts.size());
        double sum = 0;
        for (int n : counts)
            sum += (n - expected) * (n - expected) / expected;
        return sum;
    };
    EXPECT_LT(chiSquared(mazes), 27.9);   // 9 degrees of freedom
    EXPECT_LT(chiSquared(slots), 22.5);   // 6 degrees of freedom
    EXPECT_LT(chiSquared(pairs), 111.0);  // 69 degrees of freedom
    EXPECT_GT(*std::min_element(pairs.begin(), pairs.end()), 0);
}

// The tick's rules, with no frame drawn.
namespace {
// A game started in the given maze with the given count on show, the
// player standing at (row, column) with the given heading.
struct Ticking : Fixture {
    explicit Ticking(int maze, int shown, int row = 15, int column = 15, int heading = 0) : Fixture(maze)
    {
        game.Button3Click();
        at(shown, row, column, heading);
    }
    void at(int shown, int row = 15, int column = 15, int heading = 0)
    {
        game.setCountdownTo(shown);
        put(row, column, heading);
        game.Timer1Timer();
    }
};
} // namespace

TEST(Notices, AppearOnceAndInTheirOrder)
{
    Ticking t(0, 255);
    EXPECT_EQ(t.game.notice(), Notice::Sunset);
    t.at(235);
    EXPECT_EQ(t.game.notice(), Notice::Dusk);
    EXPECT_TRUE(t.game.DuskNoticeShown());

    // Shown once per Start: a Redo clears the text but keeps it from coming back.
    t.game.Button1Click();
    t.at(200);
    EXPECT_EQ(t.game.notice(), Notice::None);
    t.game.Button3Click();
    t.at(200);
    EXPECT_EQ(t.game.notice(), Notice::Dusk);
    t.at(60);
    EXPECT_EQ(t.game.notice(), Notice::MoonGone);

    Ticking maze4(4, 61);
    maze4.at(60);
    EXPECT_EQ(maze4.game.notice(), Notice::SunGone);
    Ticking short_(0, 180);  // a 180-second game is dusk from the first tick
    EXPECT_EQ(short_.game.notice(), Notice::Dusk);

    // In the water at dusk the dusk notice, written last, stands over the
    // splash; the tick after, the splash.
    Ticking wet(0, 230, 12, 15, 0);
    EXPECT_EQ(wet.game.notice(), Notice::Dusk);
    EXPECT_EQ(wet.game.countdown().interval(), 501u);
    wet.at(229, 12, 15, 0);
    EXPECT_EQ(wet.game.notice(), Notice::Splash);
}

// The goal is tested before the count: a tick finding both ends the game
// won; the time-out puts 0 back on show after a count that fell below it;
// neither touches the hour's rules, and the ended game stays ended.
TEST(Tick, EndsTheGameWonBeforeTrappedAndHoldsTheSkyAt300)
{
    Ticking won(0, 0, 1, 1, 1);
    EXPECT_TRUE(won.game.panels().won);
    EXPECT_FALSE(won.game.panels().trapped);
    EXPECT_FALSE(won.game.GameActive());
    EXPECT_EQ(won.game.countdown().interval(), 0u);
    EXPECT_EQ(won.game.timeShown(), 0);

    Ticking trapped(0, -7);
    EXPECT_TRUE(trapped.game.panels().trapped);
    EXPECT_FALSE(trapped.game.GameActive());
    EXPECT_EQ(trapped.game.timeShown(), 0);
    EXPECT_EQ(trapped.game.RemainingTime(), -7) << "the count's last value is kept";
    trapped.game.MaeBtnClick();
    EXPECT_FALSE(trapped.stepForward());

    Ticking early(0, 360);
    EXPECT_EQ(early.game.RemainingTime(), 300);
    EXPECT_EQ(early.game.timeShown(), 360);
    EXPECT_TRUE(early.game.GameActive());
}
