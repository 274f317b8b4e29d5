// The state of a game and the rules that change it. No toolkit and no
// drawing: effects on the screen go through GameHost.
#pragma once

#include "maze.h"
#include "timer.h"

#include <cstdint>
#include <string>

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

// The parts of the main window that the rules write, kept as plain values.
struct WindowTexts {
    std::string timeEdit = "300";  // the count on show, the authoritative one
    std::string label2;            // maze digit
    std::string label4;            // status notices
    bool panel1Visible = false;    // "You are trapped!"
    bool panel2Visible = false;    // "Congratulation!"
};

class Game {
public:
    explicit Game(GameHost& host) : m_host(host) {}

    // Set-up at window creation; the window passes a clock-derived seed.
    void FormCreate(std::uint64_t seed);

    // The tick's step handling: uses up a pending step request, takes the
    // step if the target cell is on the grid and open. Returns whether the
    // player moved. Rendering is the caller's next job.
    bool Timer1Step();

    void Timer2Timer();   // countdown step
    void MaeBtnClick();   // request a step
    void LeftBtnClick();
    void RightBtnClick();
    void Button3Click();  // Start
    void Button1Click();  // Redo
    void chooseMaze(int maze);       // "map 0" to "map 9"
    void chooseTimeLimit(int limit); // "180秒" to "360秒"

    // The time shown, read as the integer its text holds.
    int timeShown() const;
    void setTimeShown(int value);

    // State, read and written by the handlers and the renderer.
    PlayerState player;
    int MazeIndex = 0;
    int StartSlot = 0;
    bool GameActive = false;
    int TimeLimit = 300;
    int RemainingTime = 300;
    bool DuskNoticeShown = false;
    TimerPeriod countdown;  // Timer2
    WindowTexts window;

    void placeAt(const Placement& placement);

private:
    GameHost& m_host;
};

// Timer2's period whenever a game has just been started or redone.
constexpr unsigned CountdownPeriod = 1000;
// Timer1's period: the tick that steps and redraws.
constexpr unsigned TickPeriod = 50;

} // namespace game
