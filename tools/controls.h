// Where a script's actions go: straight to a Playfield, or through the main
// window's handlers. Either way each action is a row of the one table in
// play/actions.h.
#pragma once

#include "play/actions.h"

#include <QImage>

#include <optional>

namespace tools {

class Controls {
public:
    virtual ~Controls() = default;
    virtual play::Playfield& playfield() = 0;
    virtual void perform(play::Act act, int argument = 0) { play::play(playfield(), act, argument); }

    // A picture of the whole main window; nothing when there is none.
    virtual std::optional<QImage> windowImage() { return std::nullopt; }
};

class PlayfieldControls final : public Controls {
public:
    explicit PlayfieldControls(play::Playfield& playfield) : m_playfield(playfield) {}
    play::Playfield& playfield() override { return m_playfield; }

private:
    play::Playfield& m_playfield;
};

} // namespace tools
