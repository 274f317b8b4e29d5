// The built-in mazes and the cell model every reader shares.
#pragma once

#include <array>
#include <cstdint>

namespace game {

constexpr int MazeCount = 10;
constexpr int MazeSize = 30;                    // cells along each side
constexpr int MazeCells = MazeSize * MazeSize;  // bytes of one MazeGrid

// All ten mazes one after another, 900 bytes each, byte (row, column) of
// maze k at k * 900 + row * 30 + column. Bit 0 set means wall.
using MazeBytes = std::array<std::uint8_t, MazeCount * MazeCells>;
extern const MazeBytes MazeTable;

constexpr bool onGrid(int row, int column)
{
    return row >= 0 && row < MazeSize && column >= 0 && column < MazeSize;
}

// The byte of a cell; the position must lie on the grid.
inline std::uint8_t cellByte(int maze, int row, int column)
{
    return MazeTable[maze * MazeCells + row * MazeSize + column];
}

// The one wall test. Arguments must be in range: callers treat positions
// off the grid as walls before asking.
inline bool IsWall(int maze, int row, int column)
{
    return (cellByte(maze, row, column) & 1) != 0;
}

// Headings: 0 east (row + 1), 1 north (column - 1), 2 west (row - 1),
// 3 south (column + 1). The heading byte also carries MoveRequest.
constexpr std::uint8_t MoveRequest = 0x10;

struct Placement {
    std::uint8_t row;
    std::uint8_t column;
    std::uint8_t heading;  // the whole heading byte
    friend bool operator==(const Placement&, const Placement&) = default;
};

constexpr int StartSlotCount = 7;
extern const std::array<Placement, StartSlotCount> StartPlacements;

// Standing just inside the top opening, facing it, no step pending.
constexpr Placement GoalPlacement{1, 1, 1};

// The goal test: the player's cell and whole heading byte are the goal's.
constexpr bool isGoal(int row, int column, int heading)
{
    return row == GoalPlacement.row && column == GoalPlacement.column && heading == GoalPlacement.heading;
}

// The cell one step along a heading (0 to 3); may lie off the grid.
struct Cell {
    int row;
    int column;
    friend bool operator==(const Cell&, const Cell&) = default;
};
constexpr Cell stepFrom(int row, int column, int heading)
{
    switch (heading & 3) {
    case 0: return {row + 1, column};
    case 1: return {row, column - 1};
    case 2: return {row - 1, column};
    default: return {row, column + 1};
    }
}

} // namespace game
