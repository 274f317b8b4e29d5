#include "waterways.h"

#include "notation.h"

#include <array>
#include <string_view>

namespace game {
namespace {

// Each maze's waterway cells, listed row by row as "row: columns" after the
// number of cells; mazes 1 and 2 have none. Read and checked at compile
// time: the stated count must match, and no cell be listed twice or lie
// off the grid (the tests check that each lies on open floor).
constexpr std::array<std::string_view, MazeCount> WaterwayText{
    // Maze 0
    "(44): 1: 20; 2: 20; 3: 20; 4: 20-25; 5: 25; 6: 25; 7: 23-25; 8: 1-8,23; 9: 8-12,23; 10: 12,21-23; 11: "
    "12,21; 12: 12-15,17-21",
    "",  // maze 1: none
    "",  // maze 2: none
    // Maze 3
    "(24): 1: 6; 2: 6; 3: 6; 4: 6; 5: 6; 6: 6; 7: 6; 8: 6; 9: 6; 10: 6; 11: 6; 12: 5-6; 13: 5; 14: 5; 15: 5; "
    "16: 4-5; 17: 4; 18: 4; 19: 4; 20: 4; 22: 4; 23: 4",
    // Maze 4
    "(37): 1: 21; 2: 21; 4: 21; 5: 21; 6: 21; 7: 21; 8: 21; 9: 21; 10: 20-21; 11: 19-20; 12: 18-19; 13: 18; "
    "14: 14-18; 15: 14; 16: 14; 17: 14; 18: 14; 19: 14; 20: 14; 21: 10-14; 22: 10; 23: 10; 24: 10; 26: 10; "
    "27: 10; 28: 10",
    // Maze 5
    "(55): 8: 1-9; 9: 9-12; 10: 12-27; 16: 17-28; 17: 17; 18: 17; 19: 17; 20: 17; 21: 17; 22: 17; 23: 17; 24: "
    "17; 25: 14-17; 26: 14; 27: 14",
    // Maze 6
    "(114): 1: 8,23; 2: 8,21,23; 3: 8,20-21,23; 4: 8,20,23; 5: 7-8,20,22-23; 6: 7,18-20,22; 7: 7,18,22; 8: "
    "7-8,18,20-22; 9: 8,17-18,20; 10: 15-17,20; 11: 7-11,15,19-20; 12: 7,11,15,17-19; 13: 4-7,11-15,17; 14: "
    "4,13,17; 15: 1-4,17; 16: 13,17; 17: 13-17; 18: 9-13; 19: 9,15-18; 20: 9,18; 21: 5-9,18; 22: 5,18-21; 23: "
    "5,21; 24: 2-5,21; 25: 21-23; 26: 23; 27: 23; 28: 23",
    // Maze 7
    "(56): 1: 6,11,15; 2: 11,15; 3: 6,11,15; 4: 6,11,15; 5: 6,11,15; 6: 1-6,11,15; 7: 11,15; 8: 11,15; 9: "
    "11,15; 10: 1-2,4-11,15; 12: 15; 13: 15; 14: 1-15",
    // Maze 8
    "(22): 12: 11-17; 13: 11,17; 14: 11,17; 16: 11,17; 17: 11,17; 18: 11-17",
    // Maze 9
    "(54): 1: 8,23; 2: 8,23; 3: 8,23; 4: 8; 5: 8,23; 6: 8,23; 7: 8,23; 8: 8,23; 9: 8,23; 10: 8,23; 11: 8,23; "
    "12: 8,23; 13: 8,23; 14: 8,23; 15: 8,23; 16: 8,23; 17: 8,23; 18: 8,23; 19: 8,23; 20: 8,23; 21: 8,23; 22: "
    "8,23; 23: 23; 24: 8,23; 25: 8,23; 26: 8,23; 27: 8,23; 28: 8,23",
};

using WaterMap = std::array<std::array<bool, MazeCells>, MazeCount>;

constexpr WaterMap readWaterways()
{
    WaterMap water{};
    for (int maze = 0; maze < MazeCount; ++maze) {
        if (WaterwayText[maze].empty())
            continue;
        notation::Reader in(WaterwayText[maze]);
        const int stated = in.statedCount();
        int count = 0;
        while (!in.atEnd()) {
            const int row = in.number();
            in.expect(':');
            do {
                const notation::Range columns = in.range();
                for (int column = columns.first; column <= columns.last; ++column) {
                    if (!onGrid(row, column))
                        throw "waterway cell off the grid";
                    bool& cell = water[maze][row * MazeSize + column];
                    if (cell)
                        throw "waterway cell listed twice";
                    cell = true;
                    ++count;
                }
            } while (in.accept(','));
            in.accept(';');
        }
        if (count != stated)
            throw "waterway count differs from the cells listed";
    }
    return water;
}

constexpr WaterMap Water = readWaterways();

} // namespace

bool isWaterway(int maze, int row, int column) { return Water[maze][row * MazeSize + column]; }

std::vector<Cell> waterwayCells(int maze)
{
    std::vector<Cell> cells;
    for (int row = 0; row < MazeSize; ++row)
        for (int column = 0; column < MazeSize; ++column)
            if (isWaterway(maze, row, column))
                cells.push_back({row, column});
    return cells;
}

} // namespace game
