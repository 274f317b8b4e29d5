// The game's two timers on one time line, for the front ends that keep the
// time themselves: the scenario driver's "wait" and the web page, which
// hands in the browser's time. Times are milliseconds since the window was
// created.
//   - The tick fires every TickPeriod ms, counted from creation.
//   - The countdown fires as its period says (game/timer.h): 0 stops it,
//     the period it already has keeps its phase, and any other period
//     starts it afresh from the moment it is set, which is the firing being
//     played when a firing sets it.
//   - When both fall due on the same millisecond, the tick fires first.
#pragma once

#include "actions.h"

#include <cstdint>
#include <functional>

namespace play {

class Clock {
public:
    // Plays one firing: the row of the action table of the timer that fired.
    using Fire = std::function<void(Act)>;

    // After an absence (a page in a background tab woken late) only the
    // firings of this last stretch are played; a game is over long before.
    static constexpr std::int64_t Backlog = 10 * 60 * 1000;

    // Hears the game's countdown restarts from now on; both must outlive
    // the clock.
    Clock(game::Game& game, Fire fire);
    Clock(const Clock&) = delete;
    Clock& operator=(const Clock&) = delete;

    // Lets time pass up to `time`, firing whatever falls due, in time
    // order. A time already past changes nothing.
    void runUntil(std::int64_t time);
    // The same, but firings due more than Backlog before `time` are skipped,
    // whole periods at a time, so that each timer keeps its phase.
    void catchUp(std::int64_t time);

    std::int64_t now() const { return m_now; }
    // When the next firing falls due.
    std::int64_t nextFiring() const;

private:
    bool countdownRuns() const { return m_nextCountdown >= 0; }

    game::Game& m_game;
    Fire m_fire;
    std::int64_t m_now = 0;
    std::int64_t m_nextTick = game::TickPeriod;
    std::int64_t m_nextCountdown = -1;  // -1: stopped
};

} // namespace play
