// The game for the web page: one Playfield in WebAssembly, played row by row
// of the action table (play/actions.h). The page turns the browser's events
// into those rows and shows what this hands back: the bitmaps' own bytes in
// the module's memory, and a small record of what is on show.
#include "play/actions.h"

#include <emscripten/emscripten.h>

#include <cstdint>
#include <memory>

namespace {

// Read by the page as eight 32-bit numbers.
struct Shown {
    std::int32_t time;         // the count in TimeEdit
    std::int32_t maze;         // the digit in Label2
    std::int32_t notice;       // Label4's notice, by its number
    std::int32_t panels;       // 1: "You are trapped!" shows, 2: "Congratulation!"
    std::int32_t viewChanged;  // the view's bitmap changed: show it again
    std::int32_t restart;      // the countdown's new period (0: stopped), or -1 when it kept its own
    std::int32_t beeps;        // the simple beeps so far
    std::uint32_t mapDrawings; // changes with everything drawn on the map
};

std::unique_ptr<play::Playfield> field;
Shown shown;
std::int32_t restart = -1;

const Shown* showing(bool viewChanged)
{
    const game::Game& g = field->game;
    shown = {g.timeShown(),
             g.MazeIndex(),
             std::int32_t(g.notice()),
             (g.panels().trapped ? 1 : 0) | (g.panels().won ? 2 : 0),
             viewChanged,
             restart,
             field->beeps,
             std::uint32_t(field->mapBitmap().drawings())};
    restart = -1;
    return &shown;
}

} // namespace

extern "C" {

// The window's creation, with a seed from the clock.
EMSCRIPTEN_KEEPALIVE const Shown* vesmor_create(double seed)
{
    field = std::make_unique<play::Playfield>();
    // The game decides when the countdown restarts (game/timer.h); the page's
    // clock follows.
    field->game.countdown().onRestart([](unsigned ms) { restart = std::int32_t(ms); });
    field->FormCreate(std::uint64_t(seed));
    return showing(true);
}

// Plays one row of the action table. After the close no tick may draw.
EMSCRIPTEN_KEEPALIVE const Shown* vesmor_play(int row, int argument)
{
    if (row < 0 || std::size_t(row) >= play::Actions.size())
        return showing(false);
    const play::Action& action = play::Actions[std::size_t(row)];
    const bool tick = action.act == play::Act::Tick;
    if (tick && !field->hasSceneBitmap())
        return showing(false);
    action.play(*field, argument);
    return showing(tick && field->viewChanged());
}

// The bitmaps' bytes, R, G, B, A, row after row; they stay where they are.
EMSCRIPTEN_KEEPALIVE const std::uint8_t* vesmor_scene()
{
    return field->hasSceneBitmap() ? field->sceneBitmap().bytes() : nullptr;
}

EMSCRIPTEN_KEEPALIVE const std::uint8_t* vesmor_map()
{
    return field->mapBitmap().bytes();
}

// The window has closed for good.
EMSCRIPTEN_KEEPALIVE void vesmor_close()
{
    field->FormClose();
}

#ifdef VESMOR_WEB_TEST_HOOK
// Only in the tests' build: what the scenario driver's "place" and "slot"
// do, for scripts that set a game up directly.
EMSCRIPTEN_KEEPALIVE const Shown* vesmor_place(int row, int column, int heading)
{
    field->game.placeAt({std::uint8_t(row), std::uint8_t(column), std::uint8_t(heading)});
    return showing(false);
}

EMSCRIPTEN_KEEPALIVE const Shown* vesmor_slot(int slot)
{
    field->game.chooseStartSlot(slot);
    return showing(false);
}
#endif

} // extern "C"
