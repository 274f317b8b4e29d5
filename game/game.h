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
    // For scenarios and measurements that set a game up directly: the start
    // slot that the next Start uses, and the countdown standing at a count
    // (the count on show and RemainingTime alike).
    void chooseStartSlot(int slot);
    void setCountdownTo(int seconds);

    // The count on show in TimeEdit: the authoritative one, which the
    // countdown steps and every time test reads.
    int timeShown() const { return m_timeShown; }
    void setTimeShown(int value) { m_timeShown = value; }
    bool atGoal() const;
    // The count has run out: the game is lost at the next tick.
    bool timedOut() const { return m_timeShown <= 0; }

    // State, read by the front ends and the frame, written by the rules above.
    PlayerState player;
    int MazeIndex = 0;
    int StartSlot = 0;
    bool GameActive = false;
    int TimeLimit = 300;
    int RemainingTime = 300;
    bool DuskNoticeShown = false;
    TimerPeriod countdown;  // Timer2
    Notice notice = Notice::None;
    Panels panels;

    void placeAt(const Placement& placement);

private:
    void endGame();
    void timeOfDay();

    GameHost& m_host;
    int m_timeShown = 300;  // TimeEdit's designed text
};

// Timer2's period whenever a game has just been started or redone.
constexpr unsigned CountdownPeriod = 1000;
// Timer1's period: the tick that steps and redraws.
constexpr unsigned TickPeriod = 50;

} // namespace game
