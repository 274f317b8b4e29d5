#include "game.h"

#include <charconv>
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
    window.label2 = std::to_string(MazeIndex);
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

int Game::timeShown() const
{
    int value = 0;
    const std::string& text = window.timeEdit;
    std::from_chars(text.data(), text.data() + text.size(), value);
    return value;
}

void Game::setTimeShown(int value) { window.timeEdit = std::to_string(value); }

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
    window.label4.clear();
    window.panel1Visible = false;
    window.panel2Visible = false;
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
    window.panel1Visible = false;
    setTimeShown(TimeLimit);
    window.label4.clear();
}

void Game::chooseMaze(int maze)
{
    MazeIndex = maze;
    StartSlot = 0;
    window.label2 = std::to_string(maze);
}

void Game::chooseTimeLimit(int limit) { TimeLimit = limit; }

} // namespace game
