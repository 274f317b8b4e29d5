// The built-in mazes against the figures they were drawn from.
#include "game/maze.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <deque>
#include <vector>

using namespace game;

namespace {

std::uint32_t crc32(const std::uint8_t* data, std::size_t size)
{
    std::uint32_t crc = 0xFFFFFFFFu;
    for (std::size_t i = 0; i < size; ++i) {
        crc ^= data[i];
        for (int bit = 0; bit < 8; ++bit)
            crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
    }
    return ~crc;
}

// Fewest forward steps between two cells over open floor; -1 if none.
// Also counts how many open cells the search reached.
int fewestSteps(int maze, Cell from, Cell to, int* reached = nullptr)
{
    std::vector<int> distance(MazeCells, -1);
    std::deque<Cell> queue{from};
    distance[from.row * MazeSize + from.column] = 0;
    int count = 1;
    while (!queue.empty()) {
        const Cell here = queue.front();
        queue.pop_front();
        for (int heading = 0; heading < 4; ++heading) {
            const Cell next = stepFrom(here.row, here.column, heading);
            if (!onGrid(next.row, next.column) || IsWall(maze, next.row, next.column))
                continue;
            int& d = distance[next.row * MazeSize + next.column];
            if (d >= 0)
                continue;
            d = distance[here.row * MazeSize + here.column] + 1;
            ++count;
            queue.push_back(next);
        }
    }
    if (reached)
        *reached = count;
    return distance[to.row * MazeSize + to.column];
}

struct Figures {
    int open;
    int steps;
    std::uint32_t crc;
};
constexpr Figures Expected[MazeCount] = {
    {543, 55, 0xE8286BFA}, {502, 61, 0x96F934BA}, {462, 69, 0x36AC378C}, {523, 55, 0x114CCEEA},
    {530, 55, 0x2D5A621E}, {540, 55, 0x10199F97}, {582, 55, 0x0166678C}, {537, 59, 0xEAD881DD},
    {502, 55, 0x90CDB739}, {533, 59, 0x7312E981},
};

} // namespace

TEST(MazeTable, HoldsOnlyWallAndFloorBytesAndMatchesItsChecksum)
{
    for (std::uint8_t byte : MazeTable)
        ASSERT_LE(byte, 1);
    EXPECT_EQ(crc32(MazeTable.data(), MazeTable.size()), 0x7F000F0Fu);
}

TEST(MazeTable, EachMazeMatchesItsFigures)
{
    for (int maze = 0; maze < MazeCount; ++maze) {
        SCOPED_TRACE(maze);
        int open = 0;
        for (int row = 0; row < MazeSize; ++row)
            for (int column = 0; column < MazeSize; ++column)
                open += IsWall(maze, row, column) ? 0 : 1;
        EXPECT_EQ(open, Expected[maze].open);
        EXPECT_EQ(MazeCells - open, MazeCells - Expected[maze].open);
        EXPECT_EQ(crc32(&MazeTable[maze * MazeCells], MazeCells), Expected[maze].crc);
        int reached = 0;
        EXPECT_EQ(fewestSteps(maze, {28, 29}, {1, 1}, &reached), Expected[maze].steps);
        EXPECT_EQ(reached, open) << "every open cell is reachable from every other";
    }
}

TEST(MazeTable, BorderIsClosedButForTheTwoOpenings)
{
    for (int maze = 0; maze < MazeCount; ++maze) {
        for (int i = 0; i < MazeSize; ++i) {
            for (Cell cell : {Cell{0, i}, Cell{29, i}, Cell{i, 0}, Cell{i, 29}}) {
                const bool opening = cell == Cell{1, 0} || cell == Cell{28, 29};
                EXPECT_EQ(IsWall(maze, cell.row, cell.column), !opening)
                    << "maze " << maze << " cell " << cell.row << "," << cell.column;
            }
        }
    }
}

TEST(StartPlacements, StandWhereTheTableSaysAndReachTheGoal)
{
    // The cell straight ahead of slots 3 to 6, open per maze (bit k = maze k).
    constexpr unsigned OpenAhead[7] = {0x3FF, 0x3FF, 0x3FF, 0b1001011111, 0b1100100101, 0b1111111010,
                                       0b1010100101};
    for (int maze = 0; maze < MazeCount; ++maze) {
        for (int slot = 0; slot < StartSlotCount; ++slot) {
            SCOPED_TRACE(testing::Message() << "maze " << maze << " slot " << slot);
            const Placement p = StartPlacements[slot];
            EXPECT_EQ(IsWall(maze, p.row, p.column), slot == 1 || slot == 2);
            const Cell ahead = stepFrom(p.row, p.column, p.heading);
            EXPECT_EQ(!IsWall(maze, ahead.row, ahead.column), bool(OpenAhead[slot] >> maze & 1));
            const Cell first = slot == 1 || slot == 2 ? ahead : Cell{p.row, p.column};
            EXPECT_GE(fewestSteps(maze, first, {1, 1}), 0);
        }
    }
    EXPECT_EQ(StartPlacements[0], (Placement{28, 29, 1}));
    EXPECT_EQ(GoalPlacement, (Placement{1, 1, 1}));
}
