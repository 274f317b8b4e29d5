// Time for the scenario driver: the game's clock (play/clock.h), moved on
// by a script instead of by the clock on the wall, its firings played
// through the driver's controls.
#pragma once

#include "controls.h"
#include "play/clock.h"

#include <cstdint>

namespace tools {

class ScriptClock final : public play::Clock {
public:
    explicit ScriptClock(Controls& controls)
        : Clock(controls.playfield().game, [&controls](play::Act act) { controls.perform(act); })
    {
    }

    // Lets ms milliseconds pass, firing whatever falls due, in time order.
    void wait(std::int64_t ms) { runUntil(now() + ms); }
};

} // namespace tools
