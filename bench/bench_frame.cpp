// What one frame of the view costs, against the floor of one plain fill of
// the same bitmap.
//
// Run plainly it times one busy view with Google Benchmark. With
// --frame_table it times every view a player can have instead: every open
// cell of the ten mazes, four headings, at 300, 100 and 40 seconds; each
// view drawn by the game's canvas, call by call on the immediate canvas, by
// plain QPainter from the same calls, and beside it two floors: the
// finished picture written run by run of one colour, as a writer that knew
// the answer without working it out would, and one plain fill. It
// prints "table NAME MEAN P99 MAX" in microseconds, each view counted at
// the fastest of a few passes so that the machine's noise stays out.
#include "render/framecanvas.h"
#include "render/imagecanvas.h"
#include "render/make3d.h"
#include "recordingcanvas.h"  // the tests' canvas that keeps the calls
#include "nullhost.h"
#include "render/session.h"

#include <QPainter>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <cstdlib>
#include <numeric>
#include <vector>

namespace {

// A busy view: maze 0 from the entrance, a game running at 300 seconds.
void prepare(render::Session& session)
{
    session.FormCreate(1);
    session.game.chooseMaze(0);
    session.game.Button3Click();
}

// A tick turning the player left each time: every frame differs from the
// one before, so none is left as it was.
void BM_Frame(benchmark::State& state)
{
    render::Session session;
    prepare(session);
    for (auto _ : state) {
        session.game.LeftBtnClick();
        session.Timer1Timer();
        benchmark::DoNotOptimize(session.sceneBitmap().constBits());
    }
}
BENCHMARK(BM_Frame)->Repetitions(5)->ReportAggregatesOnly(true);

// A tick standing still: the frame is the one before, and the canvas knows.
void BM_UnchangedFrame(benchmark::State& state)
{
    render::Session session;
    prepare(session);
    for (auto _ : state) {
        session.Timer1Timer();
        benchmark::DoNotOptimize(session.sceneBitmap().constBits());
    }
}
BENCHMARK(BM_UnchangedFrame)->Repetitions(5)->ReportAggregatesOnly(true);

void BM_Fill(benchmark::State& state)
{
    QImage image(render::SceneSize, render::SceneSize, QImage::Format_RGB32);
    unsigned colour = 0;
    for (auto _ : state) {
        image.fill(QColor::fromRgb(++colour & 0xFFFFFF));
        benchmark::DoNotOptimize(image.constBits());
    }
}
BENCHMARK(BM_Fill)->Repetitions(5)->ReportAggregatesOnly(true);

// ---- every view ----

struct View {
    int maze, row, column, heading, seconds;
};

std::vector<View> everyView()
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
    QImage mapImage{render::MapSize, render::MapSize, QImage::Format_RGB32};
    render::ImageCanvas mapCanvas{mapImage};
    render::OverviewMap map{mapCanvas};
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
        game.setTimeShown(view.seconds);
        game.RemainingTime = view.seconds;
    }

    void draw(const View& view, render::Canvas& bitmap)
    {
        prepare(view);
        render::SceneContext context{game, map};
        render::Make3D(context, view.row, view.column, view.heading, bitmap);
    }
};

// The recorded calls of a view, ready for QPainter.
struct PainterCall {
    render::DrawCall::Kind kind;
    QPen pen;
    QBrush brush;
    QPolygon points;
};

std::vector<PainterCall> forPainter(const std::vector<render::DrawCall>& calls)
{
    std::vector<PainterCall> out;
    for (const render::DrawCall& call : calls) {
        QPolygon points;
        for (const render::Point& p : call.points)
            points << QPoint(p.x, p.y);
        const QColor pen(render::toRgb(call.pen.colour));
        out.push_back({call.kind, QPen(pen, std::max(call.pen.width, 1)), QBrush(QColor(render::toRgb(call.brush))),
                       points});
    }
    return out;
}

void paint(const std::vector<PainterCall>& calls, QImage& image)
{
    QPainter painter(&image);
    for (const PainterCall& call : calls) {
        painter.setPen(call.pen);
        painter.setBrush(call.brush);
        const QPolygon& p = call.points;
        switch (call.kind) {
        case render::DrawCall::Kind::Rectangle: painter.drawRect(QRect(p[0], p[1] - QPoint(1, 1))); break;
        case render::DrawCall::Kind::Ellipse: painter.drawEllipse(QRect(p[0], p[1] - QPoint(1, 1))); break;
        case render::DrawCall::Kind::Polygon: painter.drawPolygon(p, Qt::OddEvenFill); break;
        case render::DrawCall::Kind::Polyline: painter.drawPolyline(p); break;
        case render::DrawCall::Kind::Line: painter.drawLine(p[0], p[1]); break;
        }
    }
}

// How long one drawing takes, in microseconds.
template <typename Draw>
double timed(Draw&& draw)
{
    const auto start = std::chrono::steady_clock::now();
    draw();
    const auto end = std::chrono::steady_clock::now();
    return std::chrono::duration<double, std::micro>(end - start).count();
}

void printRow(const char* name, std::vector<double> times)
{
    const double mean = std::accumulate(times.begin(), times.end(), 0.0) / double(times.size());
    const auto p99 = times.begin() + std::ptrdiff_t(std::ceil(0.99 * double(times.size()))) - 1;
    std::nth_element(times.begin(), p99, times.end());
    const double at99 = *p99;
    const double max = *std::max_element(times.begin(), times.end());
    std::printf("table %s %.3f %.3f %.3f\n", name, mean, at99, max);
}

// Each way sweeps every view in turn, so that none runs in the caches the
// others left. Every view is drawn once per pass and counted at its fastest
// pass, so that a moment when the machine was busy elsewhere drops out. The
// game's canvas writes every view whole: several views in a row are the
// same (the sky holds its colour from 300 to 100 seconds), and the canvas
// would rightly leave those alone, but that is the game standing still,
// not the cost of a frame.
int frameTable(int runs)
{
    const std::vector<View> views = everyView();
    QImage image(render::SceneSize, render::SceneSize, QImage::Format_RGB32);
    image.fill(Qt::black);
    render::FrameCanvas frameCanvas(image);
    render::ImageCanvas imageCanvas(image);
    Player player;
    const std::size_t n = views.size();
    std::vector<double> frame(n, 1e300), callByCall(n, 1e300), painter(n, 1e300), written(n, 1e300), fill(n, 1e300);
    unsigned colour = 0;
    std::vector<std::vector<PainterCall>> recorded(n);
    for (std::size_t i = 0; i < n; ++i) {
        render::RecordingCanvas recording;
        player.draw(views[i], recording);
        recorded[i] = forPainter(recording.calls);
    }
    // One way over every view, the first drawn once untimed beforehand, so
    // that no way pays for the caches the way before it left cold.
    // What a way needs before the clock starts comes in its ready().
    const auto sweep = [&](std::vector<double>& times, const auto& draw, const auto& ready) {
        player.prepare(views[0]);
        ready(std::size_t(0));
        draw(std::size_t(0));
        for (std::size_t i = 0; i < n; ++i) {
            player.prepare(views[i]);
            ready(i);
            times[i] = std::min(times[i], timed([&] { draw(i); }));
        }
    };
    const auto nothing = [](std::size_t) {};
    // The finished picture as runs of one colour, row by row: read from
    // the view drawn elsewhere, then written back by the canvases' own fill.
    struct Run {
        int row, left, count;
        QRgb rgb;
    };
    std::vector<Run> finished;
    QImage elsewhere(image.size(), image.format());
    render::ImageCanvas elsewhereCanvas(elsewhere);
    const auto readRuns = [&](std::size_t i) {
        player.draw(views[i], elsewhereCanvas);
        finished.clear();
        const int width = elsewhere.width();
        for (int y = 0; y < elsewhere.height(); ++y) {
            const auto* row = reinterpret_cast<const QRgb*>(elsewhere.constScanLine(y));
            for (int x = 0; x < width;) {
                int end = x + 1;
                while (end < width && row[end] == row[x])
                    ++end;
                finished.push_back({y, x, end - x, row[x]});
                x = end;
            }
        }
    };
    for (int pass = 0; pass < runs; ++pass) {
        sweep(
            frame,
            [&](std::size_t i) {
                frameCanvas.beginFrame();
                player.draw(views[i], frameCanvas);
                frameCanvas.endFrame();
            },
            [&](std::size_t) { frameCanvas.forgetLastFrame(); });  // written whole, though the view before may be the same
        sweep(callByCall, [&](std::size_t i) { player.draw(views[i], imageCanvas); }, nothing);
        sweep(painter, [&](std::size_t i) { paint(recorded[i], image); }, nothing);
        sweep(
            written,
            [&](std::size_t) {
                auto* bits = reinterpret_cast<QRgb*>(image.bits());
                const std::ptrdiff_t stride = image.bytesPerLine() / std::ptrdiff_t(sizeof(QRgb));
                for (const Run& run : finished)
                    render::fillRun(bits + run.row * stride + run.left, run.count, run.rgb, render::PenMode::Copy);
            },
            readRuns);
        sweep(fill, [&](std::size_t) { image.fill(QColor::fromRgb(++colour & 0xFFFFFF)); }, nothing);
        benchmark::DoNotOptimize(image.constBits());
    }
    std::printf("views %zu\nruns %d\n", n, runs);
    printRow("frame", frame);
    printRow("call_by_call", callByCall);
    printRow("qpainter", painter);
    printRow("written", written);
    printRow("fill", fill);
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    for (int i = 1; i < argc; ++i)
        if (std::strncmp(argv[i], "--frame_table", 13) == 0)
            return frameTable(argv[i][13] == '=' ? std::max(std::atoi(argv[i] + 14), 1) : 3);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
