// What one frame of the view costs, against the floor of one plain fill of
// the same bitmap.
#include "render/session.h"

#include <benchmark/benchmark.h>

namespace {

// A busy view: maze 0 from the entrance, a game running at 300 seconds.
void prepare(render::Session& session)
{
    session.FormCreate(1);
    session.game.chooseMaze(0);
    session.game.Button3Click();
}

void BM_Frame(benchmark::State& state)
{
    render::Session session;
    prepare(session);
    for (auto _ : state) {
        session.Timer1Timer();
        benchmark::DoNotOptimize(session.sceneBitmap().constBits());
    }
}
BENCHMARK(BM_Frame)->Repetitions(5)->ReportAggregatesOnly(true);

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

} // namespace

BENCHMARK_MAIN();
