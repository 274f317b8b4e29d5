// Vesmor: walk out of the maze before the night falls.
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

int main(int /*argc*/, char** argv)
{
    qInstallMessageHandler(quietWithoutDisplay);
    // Whole scale factors only, so the view and the map stay sharp.
    QGuiApplication::setHighDpiScaleFactorRoundingPolicy(Qt::HighDpiScaleFactorRoundingPolicy::Round);
    int qtArgc = 1;  // the game takes no arguments
    QApplication app(qtArgc, argv);
    qInstallMessageHandler(nullptr);
    QApplication::setApplicationName(QStringLiteral("Vesmor"));
    QGuiApplication::setDesktopFileName(QStringLiteral("vesmor"));
    QApplication::setWindowIcon(QPixmap::fromImage(ui::pictures::programIcon()));
    ui::installFontSubstitutions();
    QApplication::setFont(ui::gameFont(ui::PGothicFace, 12));

    ui::TRivev window;
    ui::TAboutBox about;
    ui::THelpDlg help;
    window.setDialogs(&about, &help);
    window.show();
    centre(window);
    window.activateWindow();
    return app.exec();
}
