#include "playfield.h"

#include "render/colours.h"

namespace play {

// The map shows the window's silver until a Start first clears it.
Playfield::Playfield() : m_mapBitmap(render::MapSize, render::MapSize, render::Silver) {}

// The view from the start placement is there from the window's first
// showing instead of black until the first tick: the same frame the tick
// will draw, since no rule acts before a game starts.
void Playfield::FormCreate(std::uint64_t seed)
{
    m_scene = std::make_unique<render::Bitmap>(render::SceneSize, render::SceneSize, render::Black);
    m_sceneCanvas = std::make_unique<render::FrameCanvas>(*m_scene);
    game.FormCreate(seed);
    drawFrame();
}

void Playfield::Timer1Timer()
{
    if (!m_sceneCanvas)
        return;
    game.Timer1Timer();
    drawFrame();
}

void Playfield::drawFrame()
{
    render::Canvas& frame = m_sceneCanvas->beginFrame();
    render::Make3D({game, m_map}, game.player().row, game.player().column, game.player().heading, frame);
    m_viewChanged = m_sceneCanvas->endFrame();
}

void Playfield::FormClose()
{
    m_sceneCanvas.reset();
    m_scene.reset();
}

void Playfield::probePressed()
{
    if (m_flashed)
        return;
    m_flashed = game::Cell{game.player().row, game.player().column};
    m_map.probePressed(m_flashed->row, m_flashed->column);
}

void Playfield::probeReleased()
{
    if (!m_flashed)
        return;
    m_map.probeReleased(m_flashed->row, m_flashed->column);
    m_flashed.reset();
}

void Playfield::beep()
{
    ++beeps;
    if (beeper)
        beeper();
}

} // namespace play
