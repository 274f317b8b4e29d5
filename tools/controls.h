// What a script can do to the game: the player's actions on the window's
// controls, and the tick. Played either straight on a Session or through
// the main window's own handlers.
#pragma once

#include "render/session.h"

#include <QImage>

#include <optional>

namespace tools {

class Controls {
public:
    virtual ~Controls() = default;
    virtual render::Session& session() = 0;

    virtual void chooseMaze(int maze) { session().game.chooseMaze(maze); }
    virtual void chooseTimeLimit(int seconds) { session().game.chooseTimeLimit(seconds); }
    virtual void start() { session().game.Button3Click(); }
    virtual void redo() { session().game.Button1Click(); }
    virtual void left() { session().game.LeftBtnClick(); }
    virtual void right() { session().game.RightBtnClick(); }
    virtual void forward()
    {
        session().game.MaeBtnClick();
        session().MaeBtnMouseUp();
    }
    virtual void release() { session().MaeBtnMouseUp(); }
    virtual void probe() { session().probePressed(); }
    virtual void unprobe() { session().probeReleased(); }
    virtual void help() {}  // the help dialog draws nothing on the game
    virtual void tick() { session().Timer1Timer(); }
    virtual void countdown() { session().game.Timer2Timer(); }

    // A picture of the whole main window; nothing when there is none.
    virtual std::optional<QImage> windowImage() { return std::nullopt; }
};

class SessionControls final : public Controls {
public:
    explicit SessionControls(render::Session& session) : m_session(session) {}
    render::Session& session() override { return m_session; }

private:
    render::Session& m_session;
};

} // namespace tools
