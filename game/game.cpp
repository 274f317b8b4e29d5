#include "game.h"

#include "hours.h"
#include "waterways.h"

#include <random>

namespace game {

void Game::FormCreate(std::uint64_t seed)
{
    m_timeLimit = 300;
    m_remainingTime = m_timeLimit;
    m_countdown.setInterval(0);
    m_gameActive = false;
    std::mt19937_64 random(seed);
    m_mazeIndex = std::uniform_int_distribution<int>(0, MazeCount - 1)(random);
    m_startSlot = std::uniform_int_distribution<int>(0, StartSlotCount - 1)(random);
    placeAt(StartPlacements[m_startSlot]);
}

void Game::placeAt(const Placement& placement)
{
    if (!isPlacement(placement.row, placement.column, placement.heading))
        return;
    m_player.row = placement.row;
    m_player.column = placement.column;
    m_player.heading = placement.heading;
}

bool Game::Timer1Step()
{
    if (!m_player.moveRequested())
        return false;
    m_player.heading &= 0x0F;  // the request is used up, step or not
    const Cell from{m_player.row, m_player.column};
    const Cell to = stepFrom(from.row, from.column, m_player.direction());
    if (!onGrid(to.row, to.column) || IsWall(m_mazeIndex, to.row, to.column))
        return false;
    m_player.row = static_cast<std::uint8_t>(to.row);
    m_player.column = static_cast<std::uint8_t>(to.column);
    m_host.drawStep(from, to);
    return true;
}

bool Game::atGoal() const
{
    return isGoal(m_player.row, m_player.column, m_player.heading);
}

void Game::endGame()
{
    m_countdown.setInterval(0);
    m_gameActive = false;
}

void Game::Timer1Timer()
{
    Timer1Step();
    if (atGoal()) {  // tested first: the goal wins over a count of 0
        m_panels.won = true;
        endGame();
        return;
    }
    if (timedOut()) {  // a fast countdown can pass below 0 between ticks
        m_timeShown = 0;
        m_panels.trapped = true;
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
    if (m_remainingTime > Hour.lightHeld)
        m_remainingTime = Hour.lightHeld;
    if (m_timeShown == Hour.sunset)
        m_notice = Notice::Sunset;
    // Fallen in: the count runs faster on every tick spent in the water,
    // until Start or Redo.
    if (isWaterway(m_mazeIndex, m_player.row, m_player.column)) {
        m_countdown.setInterval(m_countdown.interval() / 2 + 1);
        m_notice = Notice::Splash;
    }
    if (m_timeShown == Hour.moonGone)
        m_notice = m_mazeIndex == 4 ? Notice::SunGone : Notice::MoonGone;
    if (m_timeShown >= Hour.duskUntil && m_timeShown <= Hour.duskFrom && !m_duskNoticeShown) {
        m_notice = Notice::Dusk;
        m_duskNoticeShown = true;
    }
}

// The count on show is parsed, lowered by one and written back; its last
// value is kept for the sky's colours.
void Game::Timer2Timer()
{
    m_remainingTime = m_timeShown - 1;
    m_timeShown = m_remainingTime;
}

void Game::MaeBtnClick()
{
    if (!m_gameActive)
        return;
    m_player.heading |= MoveRequest;
    m_host.beep();
}

// A turn rewrites the whole byte, so it also cancels a pending step.
void Game::LeftBtnClick()
{
    if (m_gameActive)
        m_player.heading = (m_player.heading + 1) & 3;
}

void Game::RightBtnClick()
{
    if (m_gameActive)
        m_player.heading = (m_player.heading + 3) & 3;
}

void Game::Button3Click()
{
    m_timeShown = m_timeLimit;
    m_gameActive = true;
    m_duskNoticeShown = false;
    m_notice = Notice::None;
    m_panels = {};
    m_countdown.setInterval(CountdownPeriod);
    m_host.clearMap();
    placeAt(StartPlacements[m_startSlot]);
    m_host.drawWaterwayLines(m_mazeIndex);
}

// Redo goes on from where the player stands, on the same map.
void Game::Button1Click()
{
    m_gameActive = true;
    m_countdown.setInterval(CountdownPeriod);
    m_panels.trapped = false;
    m_timeShown = m_timeLimit;
    m_notice = Notice::None;
}

void Game::chooseMaze(int maze)
{
    if (!isMaze(maze))
        return;
    m_mazeIndex = maze;
    m_startSlot = 0;
}

void Game::chooseTimeLimit(int limit)
{
    if (isTimeLimit(limit))
        m_timeLimit = limit;
}

void Game::chooseStartSlot(int slot)
{
    if (isStartSlot(slot))
        m_startSlot = slot;
}

void Game::setCountdownTo(int seconds)
{
    m_timeShown = seconds;
    m_remainingTime = seconds;
}

} // namespace game
