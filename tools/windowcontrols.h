// Script actions played through the main window, with the window's clock
// left to the script.
#pragma once

#include "controls.h"
#include "ui/trivev.h"

namespace tools {

class WindowControls final : public Controls {
public:
    explicit WindowControls(ui::TRivev& window) : m_window(window)
    {
        // A script never waits on a dialog: opening one is all it does. The
        // close question too is asked and left unanswered, so the window
        // stays.
        m_window.runModal = [this](QDialog&) { ++dialogsOpened; };
        m_window.confirmClose = [this] {
            ++dialogsOpened;
            return false;
        };
    }

    play::Playfield& playfield() override { return m_window.playfield(); }
    void perform(play::Act act, int argument) override { m_window.perform(act, argument); }
    std::optional<QImage> windowImage() override { return m_window.grab().toImage(); }

    int dialogsOpened = 0;

private:
    ui::TRivev& m_window;
};

} // namespace tools
