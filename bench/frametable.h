// The frame table's views and its way of timing them, without a toolkit:
// the native benchmark and the browser's WebAssembly build both sweep every
// view of every maze with it, so their figures stand side by side.
#pragma once

#include "nullhost.h"
#include "render/drawlist.h"
#include "render/make3d.h"
#include "render/overviewmap.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <numeric>
#include <vector>

namespace frametable {

struct View {
    int maze, row, column, heading, seconds;
};

// Every open cell of the ten mazes, four headings, at 300, 100 and 40 s.
inline std::vector<View> everyView()
{
    std::vector<View> views;
    for (int maze = 0; maze < game::MazeCount; ++maze)
        for (int row = 0; row < game::MazeSize; ++row)
            for (int column = 0; column < game::MazeSize; ++column)
                for (int heading = 0; heading < 4 && !game::IsWall(maze, row, column); ++heading)
                    for (const int seconds : {300, 100, 40})
                        views.push_back({maze, row, column, heading, seconds});
    return views;
}

// A running game that draws any view on any canvas.
struct Player {
    NullHost host;
    game::Game game{host};
    render::DrawList mapCalls;  // the shrine's marks, not looked at
    render::OverviewMap map{mapCalls};
    int maze = -1;

    // The maze and the time of the view: set before the clock starts, for
    // a new maze is no part of a frame.
    void prepare(const View& view)
    {
        if (view.maze != maze) {
            maze = view.maze;
            game.chooseMaze(maze);
            game.Button3Click();
        }
        game.setCountdownTo(view.seconds);
    }

    void draw(const View& view, render::Canvas& bitmap)
    {
        prepare(view);
        render::SceneContext context{game, map};
        render::Make3D(context, view.row, view.column, view.heading, bitmap);
    }
};

// How long one drawing takes, in microseconds.
template <typename Draw>
double timed(Draw&& draw)
{
    const auto start = std::chrono::steady_clock::now();
    draw();
    const auto end = std::chrono::steady_clock::now();
    return std::chrono::duration<double, std::micro>(end - start).count();
}

// One way over every view, the first drawn once untimed beforehand, so that
// no way pays for the caches the way before it left cold; each view keeps
// its fastest time over the passes, so that a moment when the machine was
// busy elsewhere drops out. What a way needs before the clock starts comes
// in its ready().
template <typename Draw, typename Ready>
void sweep(const std::vector<View>& views, Player& player, std::vector<double>& times, const Draw& draw,
           const Ready& ready)
{
    player.prepare(views[0]);
    ready();
    draw(std::size_t(0));
    for (std::size_t i = 0; i < views.size(); ++i) {
        player.prepare(views[i]);
        ready();
        times[i] = std::min(times[i], timed([&] { draw(i); }));
    }
}

// "table NAME MEAN P99 MAX", in microseconds.
inline void printRow(const char* name, std::vector<double> times)
{
    const double mean = std::accumulate(times.begin(), times.end(), 0.0) / double(times.size());
    const auto p99 = times.begin() + std::ptrdiff_t(std::ceil(0.99 * double(times.size()))) - 1;
    std::nth_element(times.begin(), p99, times.end());
    const double at99 = *p99;
    const double max = *std::max_element(times.begin(), times.end());
    std::printf("table %s %.3f %.3f %.3f\n", name, mean, at99, max);
}

} // namespace frametable
