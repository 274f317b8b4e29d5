// The game for the web page: one Playfield in WebAssembly with its clock,
// played row by row of the action table (play/actions.h). It is the page's
// only way into the game, so every export checks its arguments first and
// refuses a bad call without touching the game.
//
// The exports, all of plain numbers:
//   vesmor_create(seed)      makes the game, as the window's creation does,
//                            seeded with a whole number from 0 to 2^64; once,
//                            and before anything else
//   vesmor_run(time)         lets the game's time pass up to `time`: every
//                            tick and countdown due fires, in order (after a
//                            long absence, only the last ten minutes' worth)
//   vesmor_play(row, argument, time)
//                            lets the time pass up to `time`, then plays one
//                            row of the action table; the argument is a maze
//                            0 to 9, a time limit of Redo's menu, or else 0
//   vesmor_scene(), vesmor_map()
//                            the two bitmaps' bytes (R, G, B, A, row after
//                            row, 330 x 330 and 120 x 120), which stay where
//                            they are for the whole game
//   vesmor_close()           the window has closed for good; 1 when done
//   vesmor_refusal()         why the last call was refused, in UTF-8
// A time is in milliseconds since vesmor_create, as the page's clock reads
// them, and never goes back. vesmor_create, vesmor_run and vesmor_play
// return a pointer to what is on show (Shown below); a refused call returns
// 0 (null) and leaves the game as it was.
//
// The tests' build also exports what the scenario driver's "place" and
// "slot" do, vesmor_place(row, column, heading) and vesmor_slot(slot), and
// vesmor_trap(), which stops the WebAssembly as a fault in it would.
#include "play/clock.h"

#ifdef __EMSCRIPTEN__
#include <emscripten/emscripten.h>
#else
#define EMSCRIPTEN_KEEPALIVE  // built natively for the tests
#endif

#include <cmath>
#include <cstdint>
#include <memory>
#include <string>

namespace {

// Read by the page as eight 64-bit numbers.
struct Shown {
    double time;         // the count in TimeEdit
    double maze;         // the digit in Label2
    double notice;       // Label4's notice, by its number
    double panels;       // 1: "You are trapped!" shows, 2: "Congratulation!"
    double viewChanged;  // the view's bitmap changed since the last report: show it again
    double beeps;        // the simple beeps so far
    double mapDrawings;  // changes with everything drawn on the map
    double nextFiring;   // when the clock next has a firing due: the time to call vesmor_run
};

// The one game, with its clock.
struct Page {
    play::Playfield field;
    bool viewChanged = true;
    play::Clock clock{field.game, [this](play::Act act) { playRow(play::action(act), 0); }};

    void playRow(const play::Action& action, int argument)
    {
        action.play(field, argument);
        if (action.act == play::Act::Tick)
            viewChanged = viewChanged || field.viewChanged();
    }
};

std::unique_ptr<Page> page;
bool closed = false;
std::string refusal;
Shown shown;

// Beyond this a double no longer holds every whole millisecond.
constexpr double LatestTime = 9007199254740992.0;  // 2^53

std::nullptr_t refuse(std::string why)
{
    refusal = std::move(why);
    return nullptr;
}

// Why a call cannot reach the game now, or nothing.
const char* unplayable()
{
    if (!page)
        return "the game has not been created";
    if (closed)
        return "the game has closed";
    return nullptr;
}

// Why a time cannot be the clock's next, or nothing.
std::string badTime(double time)
{
    if (!(time >= 0 && time < LatestTime))
        return "the time " + std::to_string(time) + " is not a count of milliseconds";
    if (std::int64_t(time) < page->clock.now())
        return "the time " + std::to_string(std::int64_t(time)) + " ms goes back from " +
               std::to_string(page->clock.now()) + " ms";
    return {};
}

const Shown* showing()
{
    const game::Game& g = page->field.game;
    shown = {double(g.timeShown()),
             double(g.MazeIndex()),
             double(g.notice()),
             double((g.panels().trapped ? 1 : 0) | (g.panels().won ? 2 : 0)),
             page->viewChanged ? 1.0 : 0.0,
             double(page->field.beeps),
             double(page->field.mapBitmap().drawings()),
             double(page->clock.nextFiring())};
    page->viewChanged = false;
    return &shown;
}

} // namespace

extern "C" {

EMSCRIPTEN_KEEPALIVE const Shown* vesmor_create(double seed)
{
    if (page)
        return refuse("the game has been created already");
    if (!(seed >= 0 && seed < 18446744073709551616.0))  // 2^64
        return refuse("the seed " + std::to_string(seed) + " is not a whole number from 0 to 2^64");
    page = std::make_unique<Page>();
    page->field.FormCreate(std::uint64_t(seed));
    return showing();
}

EMSCRIPTEN_KEEPALIVE const Shown* vesmor_run(double time)
{
    if (const char* why = unplayable())
        return refuse(why);
    if (std::string why = badTime(time); !why.empty())
        return refuse(why);
    page->clock.catchUp(std::int64_t(time));
    return showing();
}

EMSCRIPTEN_KEEPALIVE const Shown* vesmor_play(int row, int argument, double time)
{
    if (const char* why = unplayable())
        return refuse(why);
    if (row < 0 || std::size_t(row) >= play::Actions.size())
        return refuse("there is no action " + std::to_string(row));
    const play::Action& action = play::Actions[std::size_t(row)];
    if (!play::takes(action, argument))
        return refuse("'" + std::string(action.name) + "' does not take " + std::to_string(argument));
    if (std::string why = badTime(time); !why.empty())
        return refuse(why);
    page->clock.catchUp(std::int64_t(time));
    page->playRow(action, argument);
    return showing();
}

EMSCRIPTEN_KEEPALIVE const std::uint8_t* vesmor_scene()
{
    if (const char* why = unplayable())
        return refuse(why);
    return page->field.sceneBitmap().bytes();
}

EMSCRIPTEN_KEEPALIVE const std::uint8_t* vesmor_map()
{
    if (const char* why = unplayable())
        return refuse(why);
    return page->field.mapBitmap().bytes();
}

EMSCRIPTEN_KEEPALIVE int vesmor_close()
{
    if (const char* why = unplayable()) {
        refuse(why);
        return 0;
    }
    page->field.FormClose();
    closed = true;
    return 1;
}

EMSCRIPTEN_KEEPALIVE const char* vesmor_refusal()
{
    return refusal.c_str();
}

#ifdef VESMOR_WEB_TEST_HOOK
EMSCRIPTEN_KEEPALIVE const Shown* vesmor_place(int row, int column, int heading)
{
    if (const char* why = unplayable())
        return refuse(why);
    if (!game::isPlacement(row, column, heading))
        return refuse("(" + std::to_string(row) + ", " + std::to_string(column) + ") with heading byte " +
                      std::to_string(heading) + " is not a placement");
    page->field.game.placeAt({std::uint8_t(row), std::uint8_t(column), std::uint8_t(heading)});
    return showing();
}

EMSCRIPTEN_KEEPALIVE const Shown* vesmor_slot(int slot)
{
    if (const char* why = unplayable())
        return refuse(why);
    if (!game::isStartSlot(slot))
        return refuse("there is no start slot " + std::to_string(slot));
    page->field.game.chooseStartSlot(slot);
    return showing();
}

EMSCRIPTEN_KEEPALIVE void vesmor_trap()
{
    __builtin_trap();
}
#endif

} // extern "C"
