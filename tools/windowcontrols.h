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
        // A script never waits on a dialog: opening one is all it does.
        m_window.runModal = [this](QDialog&) { ++dialogsOpened; };
    }

    play::Playfield& playfield() override { return m_window.playfield(); }
    void perform(play::Act act, int argument) override { m_window.perform(act, argument); }
    std::optional<QImage> windowImage() override { return m_window.grab().toImage(); }

    int dialogsOpened = 0;

private:
    ui::TRivev& m_window;
};

} // namespace tools
