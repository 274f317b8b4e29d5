// The real game window with its real timers under an X server (the bench
// script uses Xvfb), in one of three situations:
//   realistic  a game in maze 0 with a step or a turn every second;
//   still      a game running, the player standing still;
//   help       before Start, the greeting help dialog open.
// Prints "name value" lines: the CPU share over the measured seconds, peak
// memory, process start to the first frame on screen, and in a running
// game the tick intervals and the countdown's drift.
#include "measure.h"

#include "game/maze.h"
#include "ui/application.h"
#include "ui/trivev.h"

#include <QCoreApplication>
#include <QDialog>
#include <QElapsedTimer>
#include <QEvent>
#include <QTimer>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <string>
#include <vector>

namespace {

double percentile(std::vector<double> values, double p)
{
    if (values.empty())
        return 0;
    std::sort(values.begin(), values.end());
    return values[std::min(values.size() - 1, std::size_t(p * double(values.size())))];
}

// Notes when the view first reaches the screen, with the frame drawn at
// the window's creation on it.
class FirstFrame final : public QObject {
public:
    double shown = -1;  // seconds from process start

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::Paint && shown < 0)
            shown = bench::sinceProcessStart();
        return false;
    }
};

// A step when the way ahead is open, else a turn to the right.
void stepOrTurn(ui::TRivev& window)
{
    const game::Game& g = window.playfield().game;
    const game::Cell ahead = game::stepFrom(g.player().row, g.player().column, g.player().direction());
    if (game::onGrid(ahead.row, ahead.column) && !game::IsWall(g.MazeIndex(), ahead.row, ahead.column)) {
        window.MaeBtnClick();
        window.MaeBtnMouseUp();
    } else {
        window.RightBtnClick();
    }
}

} // namespace

int main(int argc, char** argv)
{
    const std::string mode = argc > 1 ? argv[1] : "realistic";
    const int seconds = argc > 2 ? std::atoi(argv[2]) : 20;
    int qtArgc = 1;
    QElapsedTimer clock;
    std::vector<double> ticks, countdowns;
    double cpuAtStart = 0;
    FirstFrame firstFrame;
    QTimer moves;

    const auto report = [&](ui::TRivev& window) {
        bench::print("cpu_share_percent", (bench::cpuSeconds() - cpuAtStart) / (double(clock.nsecsElapsed()) / 1e9) * 100);
        bench::print("peak_resident_mib", bench::peakResidentMiB());
        bench::print("first_frame_ms", firstFrame.shown * 1000);
        if (mode != "help" && countdowns.size() > 1) {  // none in a run timed for its start alone
            std::vector<double> gaps;
            for (std::size_t i = 1; i < ticks.size(); ++i)
                gaps.push_back((ticks[i] - ticks[i - 1]) * 1000);
            const double span = countdowns.back() - countdowns.front();
            bench::print("tick_interval_p99_ms", percentile(gaps, 0.99));
            bench::print("countdown_drift_percent", std::abs(span / double(countdowns.size() - 1) - 1.0) * 100);
        }
        window.confirmClose = [] { return true; };
        QCoreApplication::quit();
    };

    return ui::runGame(qtArgc, argv, [&](ui::TRivev& window) {
        if (mode != "help")
            window.runModal = [](QDialog&) {};  // no greeting: nobody to answer it
        window.findChild<QWidget*>(QStringLiteral("View"))->installEventFilter(&firstFrame);
        QObject::connect(&window, &ui::TRivev::frameShown,
                         [&] { ticks.push_back(double(clock.nsecsElapsed()) / 1e9); });
        QObject::connect(&window, &ui::TRivev::countdownStepped,
                         [&] { countdowns.push_back(double(clock.nsecsElapsed()) / 1e9); });
        // Settled after a second: then the game starts, and the measure.
        QTimer::singleShot(1000, &window, [&] {
            if (mode != "help") {
                window.mapClick(0);
                window.Button3Click();
            }
            if (mode == "realistic") {
                QObject::connect(&moves, &QTimer::timeout, &window, [&] { stepOrTurn(window); });
                moves.start(1000);
            }
            ticks.clear();
            cpuAtStart = bench::cpuSeconds();
            clock.start();
            QTimer::singleShot(seconds * 1000, &window, [&] { report(window); });
        });
    });
}
