#include "application.h"

#include "aboutbox.h"
#include "displaycheck.h"
#include "fonts.h"
#include "helpdlg.h"
#include "pictures.h"
#include "trivev.h"

#include <QApplication>
#include <QScreen>

namespace ui {

namespace {

void centre(QWidget& window)
{
    const QRect screen = window.screen()->availableGeometry();
    window.move(screen.center() - window.rect().center());
}

} // namespace

int runGame(int& argc, char** argv, const std::function<void(TRivev&)>& ready)
{
    beginDisplayCheck();
    // Whole scale factors only, so the view and the map stay sharp.
    QGuiApplication::setHighDpiScaleFactorRoundingPolicy(Qt::HighDpiScaleFactorRoundingPolicy::Round);
    QApplication app(argc, argv);  // takes Qt's own options off the command line
    endDisplayCheck();
    QApplication::setApplicationName(QStringLiteral("Vesmor"));
    QGuiApplication::setDesktopFileName(QStringLiteral("io.github.vesmor.Vesmor"));
    QApplication::setWindowIcon(QPixmap::fromImage(pictures::programIcon()));
    installFontSubstitutions();
    warnWithoutJapaneseFont();
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
