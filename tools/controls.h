// Where a script's actions go: straight to a Session, or through the main
// window's handlers. Either way each action is a row of the one table in
// render/actions.h.
#pragma once

#include "render/actions.h"

#include <QImage>

#include <optional>

namespace tools {

class Controls {
public:
    virtual ~Controls() = default;
    virtual render::Session& session() = 0;
    virtual void perform(render::Act act, int argument = 0) { render::play(session(), act, argument); }

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
