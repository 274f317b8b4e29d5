// One running game with everything it draws on: the game state, the view's
// bitmap and the overview map. Every front end plays through this (the
// desktop window, the scenario driver, the web page), so all of them run
// the same code; only their clocks and the way they show the bitmaps differ.
#pragma once

#include "game/game.h"
#include "render/bitmap.h"
#include "render/framecanvas.h"
#include "render/imagecanvas.h"
#include "render/make3d.h"
#include "render/overviewmap.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>

namespace play {

class Playfield final : public game::GameHost {
public:
    Playfield();

    game::Game game{*this};

    // Window creation: the game's set-up, and the view's bitmap made.
    void FormCreate(std::uint64_t seed);
    // The 50 ms tick: a pending step, then a whole new frame.
    void Timer1Timer();
    // The window is closing: the bitmap goes, and no frame may follow.
    void FormClose();

    void MaeBtnMouseUp() { m_map.forwardReleased(); }
    // "?" held down flashes the player's cell; letting go restores the very
    // pixels it changed, even if the player has stepped on meanwhile.
    void probePressed();
    void probeReleased();

    // Whether the last frame drawn differs from the one before it.
    bool viewChanged() const { return m_viewChanged; }
    bool hasSceneBitmap() const { return m_scene != nullptr; }
    const render::Bitmap& sceneBitmap() const { return *m_scene; }
    // The map's drawings() count changes with everything drawn on it.
    const render::Bitmap& mapBitmap() const { return m_mapBitmap; }

    // The simple beep; a front end plugs in its own, tests count.
    std::function<void()> beeper;
    int beeps = 0;

private:
    void drawFrame();
    void beep() override;
    void clearMap() override { m_map.clear(); }
    void drawWaterwayLines(int maze) override { m_map.drawWaterwayLines(maze); }
    void drawStep(game::Cell from, game::Cell to) override { m_map.drawStep(from, to); }

    render::Bitmap m_mapBitmap;
    render::ImageCanvas m_mapCanvas{m_mapBitmap};
    render::OverviewMap m_map{m_mapCanvas};
    std::optional<game::Cell> m_flashed;
    bool m_viewChanged = false;
    std::unique_ptr<render::Bitmap> m_scene;
    std::unique_ptr<render::FrameCanvas> m_sceneCanvas;
};

} // namespace play
