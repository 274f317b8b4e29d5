// When the game cannot open its window it says where it tried and why, in
// one line, instead of the toolkit's page of advice.
#pragma once

namespace ui {

// Call just before the application object is created, and
// endDisplayCheck() just after. If no window system can be opened in
// between, prints one line naming each display that was tried and why it
// failed, and ends the program with status 1.
void beginDisplayCheck();
void endDisplayCheck();

} // namespace ui
