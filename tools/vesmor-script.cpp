// vesmor-script [SCRIPT]: plays a scenario on the game's own main window,
// with no display and a clock driven by the script. Reads standard input
// when no file is given or SCRIPT is "-".
#include "script.h"
#include "windowcontrols.h"

#include "ui/aboutbox.h"
#include "ui/fonts.h"
#include "ui/helpdlg.h"

#include <QApplication>

#include <cerrno>
#include <cstring>
#include <fstream>
#include <iostream>

namespace {

// The offscreen platform's chatter is of no interest to a script's reader.
void quietPlatform(QtMsgType type, const QMessageLogContext& context, const QString& message)
{
    if (type < QtCriticalMsg)
        return;
    std::cerr << qPrintable(qFormatLogMessage(type, context, message)) << "\n";
}

} // namespace

int main(int argc, char** argv)
{
    if (argc > 2) {
        std::cerr << "usage: vesmor-script [SCRIPT]\n";
        return tools::ScriptBadInput;
    }
    // Standard input read as a file, not through C's stdio, so that a read
    // error stops the script instead of passing for its end.
    std::ios::sync_with_stdio(false);
    const std::string name = argc == 2 ? argv[1] : "-";
    std::ifstream file;
    if (name != "-") {
        file.open(name);
        if (!file) {
            std::cerr << "vesmor-script: cannot read " << tools::quoted(name, tools::QuotedFile) << ": "
                      << std::strerror(errno) << "\n";
            return tools::ScriptFileError;
        }
    }

    qInstallMessageHandler(quietPlatform);
    // Always headless: a display named in the environment is not the driver's.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    int qtArgc = 1;
    QApplication app(qtArgc, argv);
    ui::installFontSubstitutions();
    QApplication::setFont(ui::gameFont(ui::PGothicFace, 12));

    ui::TRivev window(ui::TRivev::Clock::Scripted);
    window.setDialogs([&window] { return new ui::TAboutBox(&window); },
                      [&window] { return new ui::THelpDlg(&window); });
    tools::WindowControls controls(window);
    tools::ScriptClock clock(controls);
    tools::ScriptRunner runner(controls, clock, std::cout, std::cerr);
    return runner.run(name == "-" ? std::cin : static_cast<std::istream&>(file), name);
}
