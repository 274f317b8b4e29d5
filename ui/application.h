// Start-up and the event loop, shared by the game and its timing harness.
#pragma once

#include <functional>

namespace ui {

class TRivev;

// Sets the application up, creates the main window, the about box and the
// help dialog in that order, shows the window and runs until it closes.
// `ready` sees the main window just before the event loop starts.
int runGame(char* program, const std::function<void(TRivev&)>& ready = {});

} // namespace ui
