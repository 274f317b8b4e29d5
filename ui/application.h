// Start-up and the event loop, shared by the game and its timing harness.
#pragma once

#include <functional>

namespace ui {

class TRivev;

// Sets the application up, creates the main window, the about box and the
// help dialog in that order, shows the window and runs until it closes.
// Qt's own options are taken from argc and argv (the rest was checked by
// the caller). `ready` sees the main window just before the event loop starts.
int runGame(int& argc, char** argv, const std::function<void(TRivev&)>& ready = {});

} // namespace ui
