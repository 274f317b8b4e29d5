// The game's clock: the two timers fired in time order up to the time it
// is handed, the countdown as its period rule says, and a long absence cut
// to its last ten minutes.
#include "play/clock.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

namespace {

// One firing as the clock delivered it, with the count on show just before.
struct Firing {
    char timer;  // 't' the tick, 'c' the countdown
    std::int64_t at;
    int shownBefore;
    friend bool operator==(const Firing&, const Firing&) = default;
};

std::ostream& operator<<(std::ostream& out, const Firing& f)
{
    return out << f.timer << "@" << f.at << " (shown " << f.shownBefore << ")";
}

// A created game in maze 0 on its clock, every firing noted.
struct Timed {
    play::Playfield playfield;
    game::Game& game = playfield.game;
    std::vector<Firing> firings;
    play::Clock clock{game, [this](play::Act act) {
                          firings.push_back({act == play::Act::Tick ? 't' : 'c', clock.now(), game.timeShown()});
                          play::play(playfield, act);
                      }};

    Timed()
    {
        playfield.FormCreate(1);
        game.chooseMaze(0);
    }
    void wait(std::int64_t ms) { clock.runUntil(clock.now() + ms); }
    std::vector<std::int64_t> times(char timer) const
    {
        std::vector<std::int64_t> out;
        for (const Firing& f : firings)
            if (f.timer == timer)
                out.push_back(f.at);
        return out;
    }
};

std::vector<std::int64_t> everyFrom(std::int64_t first, std::int64_t step, std::int64_t last)
{
    std::vector<std::int64_t> out;
    for (std::int64_t t = first; t <= last; t += step)
        out.push_back(t);
    return out;
}

} // namespace

// Ticks every 50 ms from creation, the countdown a period after Start; when
// both fall due together the tick comes first. How the time is cut up does
// not change what fires when.
TEST(Clock, FiresInTimeOrderWithTheTickFirstAtEqualTimes)
{
    Timed whole;
    whole.game.Button3Click();
    whole.wait(3000);
    EXPECT_EQ(whole.clock.now(), 3000);
    EXPECT_EQ(whole.times('t'), everyFrom(50, 50, 3000));
    EXPECT_EQ(whole.times('c'), (std::vector<std::int64_t>{1000, 2000, 3000}));
    const auto& f = whole.firings;
    const auto second = std::find(f.begin(), f.end(), Firing{'c', 2000, 299});
    ASSERT_NE(second, f.end());
    EXPECT_EQ(*(second - 1), (Firing{'t', 2000, 299}));
    EXPECT_EQ(f.back(), (Firing{'c', 3000, 298}));
    EXPECT_EQ(whole.game.timeShown(), 297);
    EXPECT_EQ(whole.clock.nextFiring(), 3050);

    Timed pieces;
    pieces.game.Button3Click();
    for (int ms : {1, 49, 0, 50, 7, 893, 1000, 999, 1})
        pieces.wait(ms);
    pieces.clock.runUntil(2000);  // a time already past changes nothing
    EXPECT_EQ(pieces.clock.now(), 3000);
    EXPECT_EQ(pieces.firings, whole.firings);
}

// The countdown's period: none before Start; the period it already has
// keeps its phase; a game ended on a tick stops it there; and a period
// changed by a firing counts from that firing.
TEST(Clock, CountdownFollowsThePeriodRule)
{
    Timed t;
    t.wait(5000);
    EXPECT_TRUE(t.times('c').empty());
    EXPECT_EQ(t.clock.nextFiring(), 5050);

    t.game.Button3Click();  // at 5000
    t.wait(300);
    t.game.Button3Click();
    t.wait(300);
    t.game.Button1Click();
    t.wait(1420);
    EXPECT_EQ(t.times('c'), (std::vector<std::int64_t>{6000, 7000}));

    t.firings.clear();
    t.game.placeAt(game::GoalPlacement);  // won at the tick of 7050
    t.wait(4000);
    EXPECT_TRUE(t.times('c').empty());
    EXPECT_TRUE(t.game.panels().won);

    t.game.placeAt({28, 29, 1});
    t.game.Button1Click();  // restarted at 11020
    t.wait(2000);
    EXPECT_EQ(t.times('c'), (std::vector<std::int64_t>{12020, 13020}));

    // Into maze 0's water at 13520: the tick of 13550 halves the period to
    // 501 from then on; out again before the next tick, it stays 501.
    t.firings.clear();
    t.wait(500);
    t.game.placeAt({12, 15, 0});
    t.wait(30);
    t.game.placeAt({28, 29, 1});
    EXPECT_EQ(t.game.countdown().interval(), 501u);
    t.wait(1100);
    EXPECT_EQ(t.times('c'), (std::vector<std::int64_t>{14051, 14552}));
    t.game.Button1Click();  // back to 1000 from 14650
    t.wait(1000);
    EXPECT_EQ(t.times('c'), (std::vector<std::int64_t>{14051, 14552, 15650}));
}

// Standing in maze 0's water halves the period on every tick down to 2 ms;
// the count then falls by 25 between two ticks and passes below 0, and the
// next tick ends the game with 0 on show and the countdown stopped.
TEST(Clock, WaterRunsTheCountBelowZeroBeforeTheTickEndsTheGame)
{
    Timed t;
    t.game.chooseTimeLimit(180);
    t.game.Button3Click();
    t.game.placeAt({12, 15, 0});
    std::vector<unsigned> periods;
    for (int i = 0; i < 11; ++i) {
        t.wait(50);
        periods.push_back(t.game.countdown().interval());
    }
    EXPECT_EQ(periods, (std::vector<unsigned>{501, 251, 126, 64, 33, 17, 9, 5, 3, 2, 2}));
    t.game.placeAt({28, 29, 1});
    t.wait(50);
    const std::int64_t outAt = t.clock.now();

    t.firings.clear();
    t.wait(1000);
    const auto& f = t.firings;
    const auto ticks = t.times('t');
    EXPECT_EQ(ticks, everyFrom(outAt + 50, 50, outAt + 1000));
    // 25 countdowns to every 50 ms, 2 ms apart; the one due with a tick comes after it.
    EXPECT_EQ(std::count_if(f.begin(), f.end(),
                            [&](const Firing& x) { return x.timer == 'c' && x.at > ticks[0] && x.at < ticks[1]; }),
              24);
    const auto lowest = std::min_element(f.begin(), f.end(), [](const Firing& a, const Firing& b) {
        return a.shownBefore < b.shownBefore;
    });
    EXPECT_LT(lowest->shownBefore, 0);
    EXPECT_EQ(lowest->timer, 't');
    EXPECT_TRUE(std::none_of(lowest + 1, f.end(), [](const Firing& x) { return x.timer == 'c'; }));
    EXPECT_EQ(t.game.timeShown(), 0);
    EXPECT_TRUE(t.game.panels().trapped);
    EXPECT_EQ(t.clock.nextFiring(), t.clock.now() + 50) << "only the tick is still due";
}

// Woken after twenty minutes away, a game plays only the last ten minutes
// of firings, each timer on its own beat as before; asked to run the whole
// time, it plays every firing.
TEST(Clock, ALongAbsencePlaysOnlyItsLastTenMinutes)
{
    constexpr std::int64_t Away = 20 * 60 * 1000;
    Timed woken;
    woken.game.chooseTimeLimit(360);
    woken.wait(25);
    woken.game.Button3Click();  // the countdown due at 1025, 2025, ...
    woken.clock.catchUp(Away);
    const std::int64_t from = Away - play::Clock::Backlog;
    EXPECT_EQ(woken.times('t').front(), from + 50);
    EXPECT_EQ(woken.times('t').size(), std::size_t(play::Clock::Backlog / 50));
    EXPECT_EQ(woken.times('c').front(), from + 25);
    EXPECT_EQ(woken.times('c').size(), 360u) << "the whole count, then the time-out stopped it";
    EXPECT_TRUE(woken.game.panels().trapped);

    Timed awake;
    awake.game.Button3Click();
    awake.clock.catchUp(5000);  // a short absence loses nothing
    awake.clock.runUntil(Away);
    EXPECT_EQ(awake.times('t').size(), std::size_t(Away / 50));
    EXPECT_EQ(awake.times('c'), everyFrom(1000, 1000, 300000));
}
