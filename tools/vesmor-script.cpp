// vesmor-script [SCRIPT]: plays a scenario on the game with no display and
// a clock driven by the script. Reads standard input when no file is given.
#include "script.h"

#include <QGuiApplication>

#include <chrono>
#include <fstream>
#include <iostream>

int main(int argc, char** argv)
{
    if (argc > 2) {
        std::cerr << "usage: vesmor-script [SCRIPT]\n";
        return tools::ScriptBadInput;
    }
    // Nothing here needs a screen.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    int qtArgc = 1;
    QGuiApplication app(qtArgc, argv);

    render::Session session;
    tools::ScriptClock clock(session);
    session.FormCreate(std::uint64_t(std::chrono::system_clock::now().time_since_epoch().count()));
    tools::SessionControls controls(session);
    tools::ScriptRunner runner(controls, clock, std::cout, std::cerr);

    if (argc == 2) {
        std::ifstream file(argv[1]);
        if (!file) {
            std::cerr << "vesmor-script: cannot read '" << argv[1] << "'\n";
            return tools::ScriptFileError;
        }
        return runner.run(file);
    }
    return runner.run(std::cin);
}
