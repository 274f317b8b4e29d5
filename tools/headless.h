// A whole game driven by script with no window: the playfield, its scripted
// clock and a runner whose output is kept in memory. For tests, soaks and
// fuzzing that play many lines quickly.
#pragma once

#include "script.h"

#include <sstream>

namespace tools {

struct HeadlessGame {
    explicit HeadlessGame(std::uint64_t seed) { playfield.FormCreate(seed); }

    play::Playfield playfield;
    PlayfieldControls controls{playfield};
    ScriptClock clock{controls};
    std::ostringstream out, err;
    ScriptRunner runner{controls, clock, out, err};
};

} // namespace tools
