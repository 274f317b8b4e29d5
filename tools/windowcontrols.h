// Script actions played through the main window's own handlers, with the
// window's clock left to the script.
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

    render::Session& session() override { return m_window.session(); }

    void chooseMaze(int maze) override { m_window.mapClick(maze); }
    void chooseTimeLimit(int seconds) override { m_window.timeClick(seconds); }
    void start() override { m_window.Button3Click(); }
    void redo() override { m_window.Button1Click(); }
    void left() override { m_window.LeftBtnClick(); }
    void right() override { m_window.RightBtnClick(); }
    void forward() override
    {
        m_window.MaeBtnClick();
        m_window.MaeBtnMouseUp();
    }
    void release() override { m_window.MaeBtnMouseUp(); }
    void probe() override { m_window.Label5MouseDown(Qt::LeftButton); }
    void unprobe() override { m_window.Label5MouseUp(); }
    void help() override { m_window.Label5MouseDown(Qt::RightButton); }
    void tick() override { m_window.Timer1Timer(); }
    void countdown() override { m_window.Timer2Timer(); }

    std::optional<QImage> windowImage() override { return m_window.grab().toImage(); }

    int dialogsOpened = 0;

private:
    ui::TRivev& m_window;
};

} // namespace tools
