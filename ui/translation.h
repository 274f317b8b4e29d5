// The toolkit's own few texts in Japanese, like the game's.
#pragma once

namespace ui {

// Loads Qt's Japanese translation where it is installed, so that the menus
// and buttons the toolkit makes by itself (the help text's Copy and Select
// All) speak Japanese. Without it they stay English, and nothing is said.
// Call once the application exists.
void installToolkitTranslation();

} // namespace ui
