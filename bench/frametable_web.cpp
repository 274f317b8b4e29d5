// The frame table in the browser: every view of every maze drawn as the game
// draws it (its calls kept, then drawn on the bitmap), by the game's own code
// compiled to WebAssembly, timed as bench_frame --frame_table times it
// natively. bench/web.mjs opens it in headless Chromium and reads its lines
// ("views N", "runs N", "table wasm_frame MEAN P99 MAX") from the console.
#include "frametable.h"
#include "render/framecanvas.h"

#include <cstdio>
#include <cstdlib>
#include <vector>

int main(int argc, char** argv)
{
    const int runs = argc > 1 ? std::max(std::atoi(argv[1]), 1) : 3;
    const std::vector<frametable::View> views = frametable::everyView();
    render::Bitmap bitmap(render::SceneSize, render::SceneSize);
    render::FrameCanvas frameCanvas(bitmap);
    frametable::Player player;
    std::vector<double> frame(views.size(), 1e300);
    for (int pass = 0; pass < runs; ++pass)
        frametable::sweep(
            views, player, frame,
            [&](std::size_t i) {
                player.draw(views[i], frameCanvas.beginFrame());
                frameCanvas.endFrame();
            },
            [&] { frameCanvas.forgetLastFrame(); });
    std::printf("views %zu\nruns %d\n", views.size(), runs);
    frametable::printRow("wasm_frame", frame);
    return 0;
}
