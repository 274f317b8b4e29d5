// Time for the scenario driver: the two game timers fired in order by a
// script instead of by the clock on the wall. The tick fires every 50 ms
// counted from creation; the countdown follows the game's period rule
// (game/timer.h). When both fall on the same millisecond the tick fires
// first.
#pragma once

#include "controls.h"

#include <cstdint>

namespace tools {

class ScriptClock {
public:
    explicit ScriptClock(Controls& controls);

    // Lets ms milliseconds pass, firing whatever falls due, in time order.
    void wait(std::int64_t ms);

    std::int64_t now() const { return m_now; }

private:
    Controls& m_controls;
    std::int64_t m_now = 0;
    std::int64_t m_nextTick = game::TickPeriod;
    std::int64_t m_nextCountdown = -1;  // -1: stopped
};

} // namespace tools
