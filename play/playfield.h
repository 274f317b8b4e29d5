// One running game with everything it draws on: the game state, the view's
// off-screen bitmap and the overview map. The main window and the scenario
// driver both play through this, so they run the same code; only their
// clocks differ.
#pragma once

#include "game/game.h"
#include "framecanvas.h"
#include "imagecanvas.h"
#include "make3d.h"
#include "overviewmap.h"

#include <QImage>

#include <functional>
#include <memory>
#include <optional>

namespace render {

class Session final : public game::GameHost {
public:
    Session();

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
    const QImage& sceneBitmap() const { return *m_scene; }
    const QImage& mapImage() const { return m_mapImage; }

    // The simple beep; the window plugs in the system's, tests count.
    std::function<void()> beeper;
    int beeps = 0;

private:
    void drawFrame();
    void beep() override;
    void clearMap() override { m_map.clear(); }
    void drawWaterwayLines(int maze) override { m_map.drawWaterwayLines(maze); }
    void drawStep(game::Cell from, game::Cell to) override { m_map.drawStep(from, to); }

    QImage m_mapImage;
    ImageCanvas m_mapCanvas{m_mapImage};
    OverviewMap m_map{m_mapCanvas};
    std::optional<game::Cell> m_flashed;
    bool m_viewChanged = false;
    std::unique_ptr<QImage> m_scene;
    std::unique_ptr<FrameCanvas> m_sceneCanvas;
};

} // namespace render
