// The hours of a game's dusk: the counts, in seconds left, at which the
// light changes. The rules read them for the notices and the sky's hold on
// RemainingTime, the frame for the sky, the sun, the moon and stars and the
// walls' shade; each stands here once.
#pragma once

namespace game {

struct Hours {
    int lightHeld;    // RemainingTime, which the sky's colour follows, goes no higher
    int sunset;       // "the sun has set" shows at this count
    int nightFrom;    // the moon and the stars are out below this count...
    int nightUntil;   // ...and above this one
    int skyLit;       // from this count up the sky has its colour (and the sun); below, black
    int duskFrom;     // the dusk notice shows once a game, from this count...
    int duskUntil;    // ...down to this one
    int moonGone;     // "the moon can no longer be seen" shows at this count
    int wallsBlack;   // below this count the walls are black
};

inline constexpr Hours Hour{
    .lightHeld = 300,
    .sunset = 255,
    .nightFrom = 270,
    .nightUntil = 60,
    .skyLit = 235,
    .duskFrom = 235,
    .duskUntil = 60,
    .moonGone = 60,
    .wallsBlack = 120,
};

} // namespace game
