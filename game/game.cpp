#include "game.h"

#include "hours.h"
#include "waterways.h"

#include <random>

namespace game {

void Game::FormCreate(std::uint64_t seed)
{
    TimeLimit = 300;
    RemainingTime = TimeLimit;
    countdown.setInterval(0);
    GameActive = false;
    std::mt19937_64 random(seed);
    MazeIndex = std::uniform_int_distribution<int>(0, MazeCount - 1)(random);
    StartSlot = std::uniform_int_distribution<int>(0, StartSlotCount - 1)(random);
    placeAt(StartPlacements[StartSlot]);
}

void Game::placeAt(const Placement& placement)
{
    player.row = placement.row;
    player.column = placement.column;
    player.heading = placement.heading;
}

bool Game::Timer1Step()
{
    if (!player.moveRequested())
        return false;
    player.heading &= 0x0F;  // the request is used up, step or not
    const Cell from{player.row, player.column};
    const Cell to = stepFrom(from.row, from.column, player.direction());
    if (!onGrid(to.row, to.column) || IsWall(MazeIndex, to.row, to.column))
        return false;
    player.row = static_cast<std::uint8_t>(to.row);
    player.column = static_cast<std::uint8_t>(to.column);
    m_host.drawStep(from, to);
    return true;
}

bool Game::atGoal() const
{
    return isGoal(player.row, player.column, player.heading);
}

void Game::endGame()
{
    countdown.setInterval(0);
    GameActive = false;
}

void Game::Timer1Timer()
{
    Timer1Step();
    if (atGoal()) {  // tested first: the goal wins over a count of 0
        panels.won = true;
        endGame();
        return;
    }
    if (timedOut()) {  // a fast countdown can pass below 0 between ticks
        m_timeShown = 0;
        panels.trapped = true;
        endGame();
        return;
    }
    timeOfDay();
}

// The sky holds RemainingTime at 300 at most, so a 360-second game starts
// in the 300-second light. Notices follow in the order the frame shows
// them; the last one written stands.
void Game::timeOfDay()
{
    if (RemainingTime > Hour.lightHeld)
        RemainingTime = Hour.lightHeld;
    if (m_timeShown == Hour.sunset)
        notice = Notice::Sunset;
    // Fallen in: the count runs faster on every tick spent in the water,
    // until Start or Redo.
    if (isWaterway(MazeIndex, player.row, player.column)) {
        countdown.setInterval(countdown.interval() / 2 + 1);
        notice = Notice::Splash;
    }
    if (m_timeShown == Hour.moonGone)
        notice = MazeIndex == 4 ? Notice::SunGone : Notice::MoonGone;
    if (m_timeShown >= Hour.duskUntil && m_timeShown <= Hour.duskFrom && !DuskNoticeShown) {
        notice = Notice::Dusk;
        DuskNoticeShown = true;
    }
}

void Game::Timer2Timer()
{
    RemainingTime = timeShown() - 1;
    setTimeShown(RemainingTime);
}

void Game::MaeBtnClick()
{
    if (!GameActive)
        return;
    player.heading |= MoveRequest;
    m_host.beep();
}

// A turn rewrites the whole byte, so it also cancels a pending step.
void Game::LeftBtnClick()
{
    if (GameActive)
        player.heading = (player.heading + 1) & 3;
}

void Game::RightBtnClick()
{
    if (GameActive)
        player.heading = (player.heading + 3) & 3;
}

void Game::Button3Click()
{
    setTimeShown(TimeLimit);
    GameActive = true;
    DuskNoticeShown = false;
    notice = Notice::None;
    panels = {};
    countdown.setInterval(CountdownPeriod);
    m_host.clearMap();
    placeAt(StartPlacements[StartSlot]);
    m_host.drawWaterwayLines(MazeIndex);
}

// Redo goes on from where the player stands, on the same map.
void Game::Button1Click()
{
    GameActive = true;
    countdown.setInterval(CountdownPeriod);
    panels.trapped = false;
    setTimeShown(TimeLimit);
    notice = Notice::None;
}

void Game::chooseMaze(int maze)
{
    MazeIndex = maze;
    StartSlot = 0;
}

void Game::chooseTimeLimit(int limit) { TimeLimit = limit; }

void Game::chooseStartSlot(int slot) { StartSlot = slot; }

void Game::setCountdownTo(int seconds)
{
    setTimeShown(seconds);
    RemainingTime = seconds;
}

} // namespace game
