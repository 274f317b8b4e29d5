// The web page's gate into the game, built natively: every export called
// with what a page must never send refuses it, says why, and leaves the
// game (its record and both bitmaps) exactly as it was. Under the
// sanitizers (make test-sanitize) a call that reached past the game's
// tables would stop the test.
#include <gtest/gtest.h>

#include <array>
#include <climits>
#include <cmath>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

extern "C" {
const double* vesmor_create(double seed);
const double* vesmor_run(double time);
const double* vesmor_play(int row, int argument, double time);
const std::uint8_t* vesmor_scene();
const std::uint8_t* vesmor_map();
int vesmor_close();
const char* vesmor_refusal();
const double* vesmor_place(int row, int column, int heading);
const double* vesmor_slot(int slot);
}

namespace {

// The rows of the action table the test plays.
enum Row { Map = 0, Time = 1, Start = 2, Tick = 13 };

// What the game shows: its record, the view and the map.
struct Seen {
    std::vector<double> record;
    std::vector<std::uint8_t> scene, map;
    bool operator==(const Seen&) const = default;
};

Seen seen(const double* record)
{
    return {std::vector<double>(record, record + 8), std::vector<std::uint8_t>(vesmor_scene(), vesmor_scene() + 330 * 330 * 4),
            std::vector<std::uint8_t>(vesmor_map(), vesmor_map() + 120 * 120 * 4)};
}

std::string refusal() { return vesmor_refusal(); }

} // namespace

// One page's life: calls before the game exists, bad arguments while it
// runs, and calls after it has closed.
TEST(Binding, RefusesEveryBadCallAndLeavesTheGameAsItWas)
{
    EXPECT_EQ(vesmor_play(Start, 0, 0), nullptr);
    EXPECT_EQ(refusal(), "the game has not been created");
    EXPECT_EQ(vesmor_run(0), nullptr);
    EXPECT_EQ(vesmor_scene(), nullptr);
    EXPECT_EQ(vesmor_map(), nullptr);
    EXPECT_EQ(vesmor_place(1, 1, 1), nullptr);
    EXPECT_EQ(vesmor_slot(0), nullptr);
    EXPECT_EQ(vesmor_close(), 0);

    // The number refused is named as the page's script would write it.
    for (const auto& [seed, named] : {std::pair{-1.0, "-1"}, {-0.25, "-0.25"}, {double(NAN), "NaN"},
                                     {-double(INFINITY), "-Infinity"}, {18446744073709551616.0, "beyond 2^63"}}) {
        EXPECT_EQ(vesmor_create(seed), nullptr) << seed;
        EXPECT_EQ(refusal(), std::string("the seed ") + named + " is not a whole number from 0 to 2^64");
    }
    ASSERT_NE(vesmor_create(42), nullptr);
    EXPECT_EQ(vesmor_create(42), nullptr);
    EXPECT_EQ(refusal(), "the game has been created already");

    ASSERT_NE(vesmor_play(Map, 3, 0), nullptr);
    ASSERT_NE(vesmor_play(Start, 0, 0), nullptr);
    ASSERT_NE(vesmor_run(1000), nullptr);
    const double* record = vesmor_run(1000);  // the view shown already
    ASSERT_NE(record, nullptr);
    const Seen before = seen(record);
    EXPECT_EQ(before.record[0], 299);
    EXPECT_EQ(before.record[7], 1050) << "the next tick";

    struct Call {
        int row, argument;
        double time;
        const char* why;
    };
    for (const Call c : {Call{-1, 0, 1000, "there is no action -1"}, Call{15, 0, 1000, "there is no action 15"},
                         Call{INT_MIN, 0, 1000, nullptr}, Call{INT_MAX, 0, 1000, nullptr},
                         Call{Map, 10, 1000, "'map' does not take 10"}, Call{Map, -1, 1000, nullptr},
                         Call{Map, INT_MIN, 1000, nullptr}, Call{Time, -180, 1000, nullptr},
                         Call{Time, INT_MAX, 1000, "'time' does not take 2147483647"}, Call{Time, 0, 1000, nullptr},
                         Call{Start, 1, 1000, "'start' does not take 1"}, Call{Tick, 0, NAN, nullptr},
                         Call{Tick, 0, -1, nullptr}, Call{Tick, 0, INFINITY, nullptr}, Call{Tick, 0, 1e300, nullptr},
                         Call{Tick, 0, 999, "the time 999 ms goes back from 1000 ms"}}) {
        EXPECT_EQ(vesmor_play(c.row, c.argument, c.time), nullptr) << c.row << " " << c.argument << " " << c.time;
        if (c.why) {
            EXPECT_EQ(refusal(), c.why);
        }
    }
    EXPECT_EQ(vesmor_run(NAN), nullptr);
    EXPECT_EQ(vesmor_run(999.5), nullptr);
    for (const auto [row, column, heading] : {std::array{30, 0, 0}, std::array{-1, 5, 0}, std::array{5, 5, 4},
                                              std::array{5, 5, 15}, std::array{5, 5, 20}, std::array{5, 5, 256},
                                              std::array{INT_MIN, 0, 0}})
        EXPECT_EQ(vesmor_place(row, column, heading), nullptr) << row << " " << column << " " << heading;
    for (int slot : {-1, 7, INT_MIN})
        EXPECT_EQ(vesmor_slot(slot), nullptr) << slot;
    EXPECT_EQ(seen(vesmor_run(1000)), before);

    // The game plays on: Start draws another maze's waterways.
    ASSERT_NE(vesmor_play(Map, 9, 1000), nullptr);
    ASSERT_NE(vesmor_play(Start, 0, 1000), nullptr);
    EXPECT_NE(seen(vesmor_run(1100)).map, before.map);

    ASSERT_EQ(vesmor_close(), 1);
    EXPECT_EQ(vesmor_close(), 0);
    EXPECT_EQ(refusal(), "the game has closed");
    EXPECT_EQ(vesmor_play(Tick, 0, 2000), nullptr);
    EXPECT_EQ(vesmor_run(2000), nullptr);
    EXPECT_EQ(vesmor_scene(), nullptr);
}
