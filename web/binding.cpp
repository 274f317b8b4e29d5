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

#include <charconv>
#include <cmath>
#include <concepts>
#include <cstdint>
#include <cstdlib>
#include <memory>

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
Shown shown;

// Beyond this a double no longer holds every whole millisecond.
constexpr double LatestTime = 9007199254740992.0;  // 2^53

// Why the last call was refused. Its numbers are written here, not by the
// C library's formatting, which would make the game's download a third
// larger.
char refusal[200] = "";
constexpr const char* RefusalEnd = refusal + sizeof refusal - 1;

// A number as the page sent it.
struct Sent {
    double value;
};

void write(char*& at, const char* text)
{
    while (*text && at < RefusalEnd)
        *at++ = *text++;
}

void write(char*& at, std::integral auto number)
{
    const auto [end, error] = std::to_chars(at, const_cast<char*>(RefusalEnd), number);
    if (error == std::errc())
        at = end;
}

// As the page's script would write it, to six decimals at most.
void write(char*& at, Sent sent)
{
    const double x = sent.value;
    if (std::isnan(x))
        return write(at, "NaN");
    if (std::isinf(x))
        return write(at, x < 0 ? "-Infinity" : "Infinity");
    if (std::fabs(x) >= 9e12) {  // its millionths would not fit: the whole number
        if (std::fabs(x) < 9e18)
            return write(at, std::int64_t(x));
        return write(at, x < 0 ? "below -2^63" : "beyond 2^63");
    }
    const std::int64_t millionths = std::llround(x * 1e6);
    if (millionths < 0)
        write(at, "-");
    write(at, std::abs(millionths) / 1000000);
    std::int64_t fraction = std::abs(millionths) % 1000000;
    if (fraction)
        write(at, ".");
    for (std::int64_t place = 100000; fraction; place /= 10) {
        const char digit[] = {char('0' + fraction / place), '\0'};
        write(at, digit);
        fraction %= place;
    }
}

std::nullptr_t refuse(const auto&... parts)
{
    char* at = refusal;
    (write(at, parts), ...);
    *at = '\0';
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

// Refuses a time that cannot be the clock's next.
bool refusedTime(double time)
{
    if (!(time >= 0 && time < LatestTime)) {
        refuse("the time ", Sent{time}, " is not a count of milliseconds");
        return true;
    }
    if (std::int64_t(time) < page->clock.now()) {
        refuse("the time ", std::int64_t(time), " ms goes back from ", page->clock.now(), " ms");
        return true;
    }
    return false;
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
        return refuse("the seed ", Sent{seed}, " is not a whole number from 0 to 2^64");
    page = std::make_unique<Page>();
    page->field.FormCreate(std::uint64_t(seed));
    return showing();
}

EMSCRIPTEN_KEEPALIVE const Shown* vesmor_run(double time)
{
    if (const char* why = unplayable())
        return refuse(why);
    if (refusedTime(time))
        return nullptr;
    page->clock.catchUp(std::int64_t(time));
    return showing();
}

EMSCRIPTEN_KEEPALIVE const Shown* vesmor_play(int row, int argument, double time)
{
    if (const char* why = unplayable())
        return refuse(why);
    if (row < 0 || std::size_t(row) >= play::Actions.size())
        return refuse("there is no action ", row);
    const play::Action& action = play::Actions[std::size_t(row)];
    if (!play::takes(action, argument))
        return refuse("'", action.name, "' does not take ", argument);
    if (refusedTime(time))
        return nullptr;
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
    return refusal;
}

#ifdef VESMOR_WEB_TEST_HOOK
EMSCRIPTEN_KEEPALIVE const Shown* vesmor_place(int row, int column, int heading)
{
    if (const char* why = unplayable())
        return refuse(why);
    if (!game::isPlacement(row, column, heading))
        return refuse("(", row, ", ", column, ") with heading byte ", heading, " is not a placement");
    page->field.game.placeAt({std::uint8_t(row), std::uint8_t(column), std::uint8_t(heading)});
    return showing();
}

EMSCRIPTEN_KEEPALIVE const Shown* vesmor_slot(int slot)
{
    if (const char* why = unplayable())
        return refuse(why);
    if (!game::isStartSlot(slot))
        return refuse("there is no start slot ", slot);
    page->field.game.chooseStartSlot(slot);
    return showing();
}

EMSCRIPTEN_KEEPALIVE void vesmor_trap()
{
    __builtin_trap();
}
#endif

} // extern "C"
