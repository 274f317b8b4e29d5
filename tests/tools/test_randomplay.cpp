// Random play through the scenario driver: many thousands of actions over
// all mazes, with the rules' invariants checked after every one. A failure
// prints its seed; VESMOR_PLAY_SEED=N replays it.
#include "tools/headless.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <random>
#include <sstream>

namespace {

constexpr int Actions = 100000;

bool knownPeriod(unsigned period)
{
    for (unsigned p : {0u, 1000u, 501u, 251u, 126u, 64u, 33u, 17u, 9u, 5u, 3u, 2u, 1u})
        if (period == p)
            return true;
    return false;
}

std::string randomLine(std::mt19937& random)
{
    auto pick = [&](int n) { return int(std::uniform_int_distribution<int>(0, n - 1)(random)); };
    switch (pick(20)) {
    case 0: return "map " + std::to_string(pick(10));
    case 1: return "time " + std::to_string(180 + 60 * pick(4));
    case 2: return "start";
    case 3: return "redo";
    case 4: return "left";
    case 5: return "right";
    case 6: case 7: case 8: return "forward";
    case 9: return "release";
    case 10: return "probe";
    case 11: return "unprobe";
    case 12: return "countdown " + std::to_string(pick(5));
    case 13: return "wait " + std::to_string(pick(400));
    case 14: return "slot " + std::to_string(pick(7));
    case 15:  // now and then somewhere else, water and the goal included
        if (pick(20) == 0)
            return pick(2) ? "place 1 1 1" : "place 12 15 0";
        return "place " + std::to_string(pick(30)) + " " + std::to_string(pick(30)) + " " + std::to_string(pick(4));
    default: return "tick";
    }
}

} // namespace

TEST(RandomPlay, KeepsEveryInvariantOverAHundredThousandActions)
{
    const char* fixed = std::getenv("VESMOR_PLAY_SEED");
    const unsigned seed = fixed ? unsigned(std::strtoul(fixed, nullptr, 10)) : std::random_device{}();
    SCOPED_TRACE("seed " + std::to_string(seed) + " (replay with VESMOR_PLAY_SEED=" + std::to_string(seed) + ")");
    std::mt19937 random(seed);

    tools::HeadlessGame play(seed);
    tools::ScriptRunner& runner = play.runner;
    const std::ostringstream& err = play.err;
    const game::Game& g = play.playfield.game;

    for (int action = 0; action < Actions; ++action) {
        const std::string line = randomLine(random);
        const game::PlayerState before = g.player();
        const bool requested = before.moveRequested();
        ASSERT_EQ(runner.runLine(line, action + 1), tools::ScriptOk) << line << ": " << err.str();
        const game::PlayerState& after = g.player();
        const std::string where = "action " + std::to_string(action) + " '" + line + "'";

        ASSERT_LT(after.row, 30) << where;
        ASSERT_LT(after.column, 30) << where;
        ASSERT_TRUE(after.heading <= 3 || (after.heading >= 16 && after.heading <= 19)) << where;
        ASSERT_TRUE(knownPeriod(g.countdown().interval())) << where << " period " << g.countdown().interval();

        const bool ticked = line == "tick" || line.rfind("wait", 0) == 0;
        if (!ticked || line.rfind("place", 0) == 0)
            continue;
        const int moved = std::abs(after.row - before.row) + std::abs(after.column - before.column);
        if (moved != 0) {
            ASSERT_TRUE(requested) << where << ": moved without a request";
            ASSERT_EQ(moved, 1) << where;
            const game::Cell expected = game::stepFrom(before.row, before.column, before.direction());
            ASSERT_EQ((game::Cell{after.row, after.column}), expected) << where;
            ASSERT_FALSE(game::IsWall(g.MazeIndex(), after.row, after.column)) << where;
        }
        if (line == "tick" && after.row == 1 && after.column == 1 && after.heading == 1) {
            ASSERT_EQ(g.countdown().interval(), 0u) << where;
            ASSERT_FALSE(g.GameActive()) << where;
        } else if (line == "tick") {
            ASSERT_GE(g.timeShown(), 0) << where;
        }
    }
}
