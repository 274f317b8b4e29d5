// The step's beep as the desktop sounds it: the sound theme's bell, played
// through the desktop's sound server.
#pragma once

#include <functional>

namespace ui {

// A beep for the game to sound, on the window's thread. It never waits:
// the sound is played on a thread of its own. Where no sound server
// answers, the X bell rings instead; with no sound at all, nothing is said.
// A window no one sees (the offscreen platform) makes no sound either.
std::function<void()> systemBeep();

} // namespace ui
