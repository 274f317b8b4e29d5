#include "application.h"

#include "aboutbox.h"
#include "fonts.h"
#include "helpdlg.h"
#include "pictures.h"
#include "trivev.h"

#include <QApplication>
#include <QScreen>

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace ui {

namespace {

// Without a display the toolkit would abort with a page of advice; the game
// says it in one line and leaves quietly instead.
void quietWithoutDisplay(QtMsgType type, const QMessageLogContext& context, const QString& message)
{
    const bool platform = context.category && std::strncmp(context.category, "qt.qpa", 6) == 0;
    if (type == QtFatalMsg && (platform || message.contains(QLatin1String("platform plugin")))) {
        std::fputs("vesmor: no display to open the game window on\n", stderr);
        std::_Exit(1);
    }
    if (platform && type != QtFatalMsg)
        return;
    std::fputs(qPrintable(qFormatLogMessage(type, context, message) + QLatin1Char('\n')), stderr);
    if (type == QtFatalMsg)
        std::abort();
}

void centre(QWidget& window)
{
    const QRect screen = window.screen()->availableGeometry();
    window.move(screen.center() - window.rect().center());
}

} // namespace

int runGame(char* program, const std::function<void(TRivev&)>& ready)
{
    qInstallMessageHandler(quietWithoutDisplay);
    // Whole scale factors only, so the view and the map stay sharp.
    QGuiApplication::setHighDpiScaleFactorRoundingPolicy(Qt::HighDpiScaleFactorRoundingPolicy::Round);
    int argc = 1;  // the game takes no arguments
    char* argv[] = {program, nullptr};
    QApplication app(argc, argv);
    qInstallMessageHandler(nullptr);
    QApplication::setApplicationName(QStringLiteral("Vesmor"));
    QGuiApplication::setDesktopFileName(QStringLiteral("vesmor"));
    QApplication::setWindowIcon(QPixmap::fromImage(pictures::programIcon()));
    installFontSubstitutions();
    QApplication::setFont(gameFont(PGothicFace, 12));

    TRivev window;
    TAboutBox about;
    THelpDlg help;
    window.setDialogs(&about, &help);
    if (ready)
        ready(window);
    window.show();
    centre(window);
    window.activateWindow();
    return app.exec();
}

} // namespace ui
