// vesmor-script [--help | --version] [SCRIPT]: plays a scenario on the
// game's own main window, with no display and a clock driven by the script.
// Reads standard input when no file is given or SCRIPT is "-".
#include "script.h"
#include "windowcontrols.h"

#include "ui/aboutbox.h"
#include "ui/fonts.h"
#include "ui/helpdlg.h"

#include "play/version.h"

#include <QApplication>

#include <cerrno>
#include <cstring>
#include <fstream>
#include <iostream>

namespace {

constexpr const char* Usage = "usage: vesmor-script [--help | --version] [SCRIPT]\n";

void printHelp()
{
    std::cout << Usage
              << "\n"
                 "Plays a scenario on Vesmor's main window with no display: one command a\n"
                 "line from SCRIPT, or from standard input when SCRIPT is - or left out;\n"
                 "'#' starts a comment. Time passes only when the script says so.\n"
                 "\n"
                 "Commands:\n"
              << tools::commandForms()
              << "\n"
                 "Exit status: 0 when every line ran, 1 when a file cannot be read or\n"
                 "written, 2 for a bad line or argument. The README says more.\n";
}

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
    const std::string option = argc == 2 ? argv[1] : "";
    if (option == "--help" || option == "-h") {
        printHelp();
        return std::cout.flush() ? tools::ScriptOk : tools::ScriptFileError;
    }
    if (option == "--version") {
        std::cout << "vesmor-script (Vesmor) " VESMOR_VERSION "\n";
        return std::cout.flush() ? tools::ScriptOk : tools::ScriptFileError;
    }
    // Any other option is a mistake; a script whose name starts with '-'
    // is given as ./-name.
    if (argc > 2 || (option.starts_with('-') && option != "-")) {
        std::cerr << Usage;
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
