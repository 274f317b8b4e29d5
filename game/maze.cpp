#include "maze.h"

#include "mazepictures.h"

namespace game {
namespace {

// Turns the pictures (text line = column, character = row) into stored
// bytes (row-major). A stray character stops the build.
constexpr MazeBytes fromPictures(const std::array<const char*, MazeCount>& pictures)
{
    MazeBytes bytes{};
    for (int maze = 0; maze < MazeCount; ++maze) {
        for (int column = 0; column < MazeSize; ++column) {
            for (int row = 0; row < MazeSize; ++row) {
                const char c = pictures[maze][column * MazeSize + row];
                if (c != '#' && c != '.')
                    throw "maze picture holds a character other than '#' and '.'";
                bytes[maze * MazeCells + row * MazeSize + column] = c == '#' ? 1 : 0;
            }
        }
        if (pictures[maze][MazeCells] != '\0')
            throw "maze picture is not 30 lines of 30 characters";
    }
    return bytes;
}

} // namespace

constexpr MazeBytes BuiltMazeTable = fromPictures({
    pictures::Maze0, pictures::Maze1, pictures::Maze2, pictures::Maze3, pictures::Maze4,
    pictures::Maze5, pictures::Maze6, pictures::Maze7, pictures::Maze8, pictures::Maze9,
});

const MazeBytes MazeTable = BuiltMazeTable;

const std::array<Placement, StartSlotCount> StartPlacements{{
    {28, 29, 1},  // the bottom opening, facing into the maze
    {0, 28, 0},   // on the left border wall, near the bottom
    {29, 1, 2},   // on the right border wall, near the top
    {17, 22, 1},  // inside the maze, four ways round
    {17, 22, 0},
    {17, 22, 3},
    {17, 22, 2},
}};

} // namespace game
