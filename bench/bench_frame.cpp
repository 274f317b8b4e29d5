// What one frame of the view costs, against the floor of one plain fill of
// the same bitmap.
//
// Run plainly it times one busy view with Google Benchmark. With
// --frame_table it times every view a player can have instead: every open
// cell of the ten mazes, four headings, at 300, 100 and 40 seconds; each
// view drawn as the game draws it (its calls kept, then drawn on the
// bitmap), drawn call by call straight onto the bitmap, and by plain
// QPainter from the same calls, beside one plain fill of the bitmap. It
// prints "table NAME MEAN P99 MAX" in microseconds, each view counted at
// the fastest of a few passes so that the machine's noise stays out.
#include "frametable.h"
#include "play/playfield.h"
#include "render/framecanvas.h"
#include "render/imagecanvas.h"

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
void prepare(play::Playfield& playfield)
{
    playfield.FormCreate(1);
    playfield.game.chooseMaze(0);
    playfield.game.Button3Click();
}

// A tick turning the player left each time: every frame differs from the
// one before, so none is left as it was.
void BM_Frame(benchmark::State& state)
{
    play::Playfield playfield;
    prepare(playfield);
    for (auto _ : state) {
        playfield.game.LeftBtnClick();
        playfield.Timer1Timer();
        benchmark::DoNotOptimize(playfield.sceneBitmap().bytes());
    }
}
BENCHMARK(BM_Frame)->Repetitions(5)->ReportAggregatesOnly(true);

// A tick standing still: the frame is the one before, and the canvas knows.
void BM_UnchangedFrame(benchmark::State& state)
{
    play::Playfield playfield;
    prepare(playfield);
    for (auto _ : state) {
        playfield.Timer1Timer();
        benchmark::DoNotOptimize(playfield.sceneBitmap().bytes());
    }
}
BENCHMARK(BM_UnchangedFrame)->Repetitions(5)->ReportAggregatesOnly(true);

// The yardstick: Qt's own fill of a whole image of the view's size.
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

using frametable::everyView;
using frametable::Player;
using frametable::printRow;
using frametable::View;

// The recorded calls of a view, ready for QPainter.
struct PainterCall {
    render::DrawCall::Kind kind;
    QPen pen;
    QBrush brush;
    QPolygon points;
};

QColor qColour(render::Colour colour)
{
    const render::Pixel pixel = render::pixelOf(colour);
    return QColor(int(pixel & 0xFF), int(pixel >> 8 & 0xFF), int(pixel >> 16 & 0xFF));
}

std::vector<PainterCall> forPainter(const render::DrawList& calls)
{
    std::vector<PainterCall> out;
    for (const render::DrawCall& call : calls.calls()) {
        QPolygon points;
        for (const render::Point& p : calls.points(call))
            points << QPoint(p.x, p.y);
        out.push_back({call.kind, QPen(qColour(call.pen.colour), std::max(call.pen.width, 1)),
                       QBrush(qColour(call.brush)), points});
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

// Each way sweeps every view in turn, so that none runs in the caches the
// others left. Every view is drawn once per pass and counted at its fastest
// pass, so that a moment when the machine was busy elsewhere drops out. The
// game's frame writes every view whole: several views in a row are the
// same (the sky holds its colour from 300 to 100 seconds), and the frame
// would rightly leave those alone, but that is the game standing still,
// not the cost of a frame.
int frameTable(int runs)
{
    const std::vector<View> views = everyView();
    render::Bitmap bitmap(render::SceneSize, render::SceneSize);
    render::FrameCanvas frameCanvas(bitmap);
    render::ImageCanvas imageCanvas(bitmap);
    QImage image(render::SceneSize, render::SceneSize, QImage::Format_RGB32);
    Player player;
    const std::size_t n = views.size();
    std::vector<double> frame(n, 1e300), callByCall(n, 1e300), painter(n, 1e300), fill(n, 1e300);
    unsigned colour = 0;
    std::vector<std::vector<PainterCall>> recorded(n);
    for (std::size_t i = 0; i < n; ++i) {
        render::DrawList calls;
        player.draw(views[i], calls);
        recorded[i] = forPainter(calls);
    }
    const auto sweep = [&](std::vector<double>& times, const auto& draw, const auto& ready) {
        frametable::sweep(views, player, times, draw, ready);
    };
    const auto nothing = [] {};
    for (int pass = 0; pass < runs; ++pass) {
        sweep(
            frame,
            [&](std::size_t i) {
                player.draw(views[i], frameCanvas.beginFrame());
                frameCanvas.endFrame();
            },
            [&] { frameCanvas.forgetLastFrame(); });  // written whole, though the view before may be the same
        sweep(callByCall, [&](std::size_t i) { player.draw(views[i], imageCanvas); }, nothing);
        sweep(painter, [&](std::size_t i) { paint(recorded[i], image); }, nothing);
        sweep(fill, [&](std::size_t) { image.fill(QColor::fromRgb(++colour & 0xFFFFFF)); }, nothing);
        benchmark::DoNotOptimize(bitmap.bytes());
        benchmark::DoNotOptimize(image.constBits());
    }
    std::printf("views %zu\nruns %d\n", n, runs);
    printRow("frame", frame);
    printRow("call_by_call", callByCall);
    printRow("qpainter", painter);
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
