#include "session.h"

#include "colours.h"

namespace render {

// The map shows the window's silver until a Start first clears it.
Session::Session() : m_mapImage(MapSize, MapSize, QImage::Format_RGB32)
{
    m_mapImage.fill(toRgb(Silver));
}

void Session::FormCreate(std::uint64_t seed)
{
    m_scene = std::make_unique<QImage>(SceneSize, SceneSize, QImage::Format_RGB32);
    m_scene->fill(Qt::black);
    m_sceneCanvas = std::make_unique<FrameCanvas>(*m_scene);
    game.FormCreate(seed);
    // The view from the start placement, there from the window's first
    // showing instead of black until the first tick: the same frame the
    // tick will draw, since no rule acts before a game starts. Drawn call
    // by call: the frame canvas learns its shapes on the ticks, once the
    // window is up.
    Make3D({game, m_map}, game.player.row, game.player.column, game.player.heading, *m_sceneCanvas);
}

void Session::Timer1Timer()
{
    if (!m_sceneCanvas)
        return;
    game.Timer1Timer();
    drawFrame();
}

void Session::drawFrame()
{
    const SceneContext context{game, m_map};
    m_sceneCanvas->beginFrame();
    Make3D(context, game.player.row, game.player.column, game.player.heading, *m_sceneCanvas);
    m_viewChanged = m_sceneCanvas->endFrame();
}

void Session::FormClose()
{
    m_sceneCanvas.reset();
    m_scene.reset();
}

void Session::probePressed()
{
    if (m_flashed)
        return;
    m_flashed = game::Cell{game.player.row, game.player.column};
    m_map.probePressed(m_flashed->row, m_flashed->column);
}

void Session::probeReleased()
{
    if (!m_flashed)
        return;
    m_map.probeReleased(m_flashed->row, m_flashed->column);
    m_flashed.reset();
}

void Session::beep()
{
    ++beeps;
    if (beeper)
        beeper();
}

} // namespace render
