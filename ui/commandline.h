// The game's command line: --version, --help and Qt's own standard options.
// Checked before the application object exists, so that --version and --help
// answer without a display.
#pragma once

#include <optional>

namespace ui {

// Prints the version or the usage when asked, and refuses with a one-line
// message any argument that is not one of Qt's standard options. Returns the
// exit status when the program should stop here (0 after --version or
// --help, 2 after a refused argument), nothing when the game should start.
std::optional<int> handleCommandLine(int argc, char** argv);

} // namespace ui
