// The state of a game and the rules that change it. No toolkit and no
// drawing: effects on the screen go through GameHost.
#pragma once

#include "maze.h"
#include "timer.h"

#include <cstdint>

namespace game {

struct PlayerState {
    std::uint8_t row = 0;
    std::uint8_t column = 0;
    std::uint8_t heading = 0;  // bits 0-1: Heading; bit 4: MoveRequest

    int direction() const { return heading & 3; }
    bool moveRequested() const { return heading > 15; }
};

// What the rules need from the world around them.
class GameHost {
public:
    virtual ~GameHost() = default;
    virtual void beep() = 0;
    virtual void clearMap() = 0;
    virtual void drawWaterwayLines(int maze) = 0;
    // A step just taken, drawn on the overview map between cell centres.
    virtual void drawStep(Cell from, Cell to) = 0;
};

// The notice under the view (Label4); the window words it.
enum class Notice {
    None,
    Sunset,    // at 255 seconds (the hours are in hours.h)
    Dusk,      // once per Start, between 60 and 235 seconds
    MoonGone,  // at 60 seconds
    SunGone,   // at 60 seconds, in maze 4
    Splash,    // fallen into a waterway
};

// The two outcome panels over the view. Both can show at once: a Redo on
// the goal leaves "Congratulation!" up, and a turn before the next tick
// lets the game run on until it is lost.
struct Panels {
    bool trapped = false;  // Panel1, "You are trapped!"
    bool won = false;      // Panel2, "Congratulation!"
    friend bool operator==(const Panels&, const Panels&) = default;
};

// The time limits the Redo button's menu offers, in its order.
inline constexpr int TimeLimits[] = {180, 240, 300, 360};

// The values a game can be set up with; anything else is refused.
constexpr bool isMaze(int maze) { return maze >= 0 && maze < MazeCount; }
constexpr bool isStartSlot(int slot) { return slot >= 0 && slot < StartSlotCount; }
constexpr bool isTimeLimit(int seconds)
{
    for (int limit : TimeLimits)
        if (seconds == limit)
            return true;
    return false;
}
// A cell on the grid, and a heading byte of a heading alone or with a step
// pending.
constexpr bool isPlacement(int row, int column, int heading)
{
    return onGrid(row, column) && ((heading >= 0 && heading <= 3) || (heading >= MoveRequest && heading <= MoveRequest + 3));
}

// One game. Its state is read by everyone and changed only through the
// operations below, each of which keeps the rules whole: the handlers of
// the window's controls and timers, and the few set-ups that scenarios,
// tests and measurements make directly. A set-up given a value that no
// game can have (isMaze and its kin say which) changes nothing.
class Game {
public:
    explicit Game(GameHost& host) : m_host(host) {}

    // Set-up at window creation; the window passes a clock-derived seed.
    void FormCreate(std::uint64_t seed);

    // The 50 ms tick's rules: a pending step, then the goal and time-out
    // tests that end a game, then what the hour does (the sky's hold on
    // RemainingTime, the notices) and the waterway rule. Drawing the frame
    // is the caller's next job; it only reads what this left.
    void Timer1Timer();
    // The step alone: uses up a pending request and takes the step if the
    // target cell is on the grid and open. Returns whether the player moved.
    bool Timer1Step();

    void Timer2Timer();   // countdown step
    void MaeBtnClick();   // request a step
    void LeftBtnClick();
    void RightBtnClick();
    void Button3Click();  // Start
    void Button1Click();  // Redo
    void chooseMaze(int maze);       // "map 0" to "map 9"
    void chooseTimeLimit(int limit); // "180秒" to "360秒"

    // Set-ups for scenarios and measurements: the player put on a cell with
    // a heading byte, the start slot that the next Start uses, and the
    // countdown standing at a count (both counts below alike).
    void placeAt(const Placement& placement);
    void chooseStartSlot(int slot);
    void setCountdownTo(int seconds);

    // Timer2's period follows the game; whoever runs the timer hears when
    // it must restart or stop (game/timer.h).
    void onCountdownRestart(TimerPeriod::Restart restart) { m_countdown.onRestart(std::move(restart)); }

    const PlayerState& player() const { return m_player; }
    int MazeIndex() const { return m_mazeIndex; }
    int StartSlot() const { return m_startSlot; }
    bool GameActive() const { return m_gameActive; }
    int TimeLimit() const { return m_timeLimit; }
    bool DuskNoticeShown() const { return m_duskNoticeShown; }
    const TimerPeriod& countdown() const { return m_countdown; }  // Timer2
    Notice notice() const { return m_notice; }                   // Label4
    Panels panels() const { return m_panels; }

    // The game keeps two counts. The count on show in TimeEdit is the one
    // the rules trust: the countdown steps it, and the time-out, the
    // notices, the sky's and the walls' hours all test it. RemainingTime
    // is the countdown's last value, held at 300 at most by the sky, and
    // only the sky's and the walls' colours are computed from it; after
    // Start it keeps the last game's value until the first countdown step.
    int timeShown() const { return m_timeShown; }
    int RemainingTime() const { return m_remainingTime; }

    bool atGoal() const;
    // The count has run out: the game is lost at the next tick.
    bool timedOut() const { return m_timeShown <= 0; }

private:
    void endGame();
    void timeOfDay();

    GameHost& m_host;
    PlayerState m_player;
    int m_mazeIndex = 0;
    int m_startSlot = 0;
    bool m_gameActive = false;
    int m_timeLimit = 300;
    int m_remainingTime = 300;
    bool m_duskNoticeShown = false;
    TimerPeriod m_countdown;
    Notice m_notice = Notice::None;
    Panels m_panels;
    int m_timeShown = 300;  // TimeEdit's designed text
};

// Timer2's period whenever a game has just been started or redone.
constexpr unsigned CountdownPeriod = 1000;
// Timer1's period: the tick that steps and redraws.
constexpr unsigned TickPeriod = 50;

} // namespace game
