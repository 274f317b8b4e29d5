#include "application.h"

#include "aboutbox.h"
#include "displaycheck.h"
#include "fixeddialog.h"
#include "fonts.h"
#include "helpdlg.h"
#include "pictures.h"
#include "translation.h"
#include "trivev.h"

#include "play/layout.h"
#include "play/texts.h"
#include "play/version.h"

#include <QApplication>
#include <QScreen>
#include <QTimer>

#include <fontconfig/fontconfig.h>

#include <algorithm>
#include <cstdio>
#include <memory>
#include <thread>

namespace ui {

namespace {

// The main window with its frame; the dialogs are smaller.
constexpr QSize OuterSize(play::OuterWidth, play::OuterHeight);

// The screen's free area in its own pixels.
QSize freePixels(const QScreen& screen)
{
    return screen.availableGeometry().size() * screen.devicePixelRatio();
}

bool fits(int factor, QSize pixels)
{
    return OuterSize.width() * factor <= pixels.width() && OuterSize.height() * factor <= pixels.height();
}

// The largest whole factor, not above the one the screen asks for, at which
// the main window and its dialogs still fit the screen's free area.
int fittingFactor(const QScreen& screen)
{
    int factor = std::max(1, int(screen.devicePixelRatio()));
    while (factor > 1 && !fits(factor, freePixels(screen)))
        --factor;
    return factor;
}

void say(const QString& line)
{
    std::fprintf(stderr, "vesmor: %s\n", qPrintable(line));
}

QString sizeText(QSize size)
{
    return QStringLiteral("%1x%2").arg(size.width()).arg(size.height());
}

// Whole scale factors only, so the view and the map stay sharp: the screen's
// own factor rounded down (1 on a 144-dpi screen, 2 on a 192-dpi one), and
// lower still where the window would not fit. The factor can only be set
// before the application exists, so on such a screen it is made a second
// time, scaled down; the player is told why in one line.
std::unique_ptr<QApplication> openApplication(int& argc, char** argv)
{
    QGuiApplication::setHighDpiScaleFactorRoundingPolicy(Qt::HighDpiScaleFactorRoundingPolicy::Floor);
    auto app = std::make_unique<QApplication>(argc, argv);
    const QScreen* screen = QGuiApplication::primaryScreen();
    const qreal asked = screen->devicePixelRatio();
    const int factor = fittingFactor(*screen);
    if (factor == asked)
        return app;
    const int whole = std::max(1, int(asked));
    say(QStringLiteral("drawn at scale %1 rather than %2: %3")
            .arg(factor)
            .arg(asked)
            .arg(whole > factor ? QStringLiteral("at %1 the window (%2 pixels) would not fit the screen (%3)")
                                      .arg(whole)
                                      .arg(sizeText(OuterSize * whole), sizeText(freePixels(*screen)))
                                : QStringLiteral("only whole scales keep its pixels sharp")));
    const double given = qEnvironmentVariableIsSet("QT_SCALE_FACTOR") ? qgetenv("QT_SCALE_FACTOR").toDouble() : 1.0;
    app.reset();
    qputenv("QT_SCALE_FACTOR", QByteArray::number((given > 0 ? given : 1.0) * factor / asked));
    return std::make_unique<QApplication>(argc, argv);
}

// Where the player would not see the whole window, or none of it, the game
// says so in one line and plays on.
void sayWhereItIsShown()
{
    const QString platform = QGuiApplication::platformName();
    if (platform == QLatin1String("offscreen") || platform == QLatin1String("minimal")) {
        say(QStringLiteral("the \"%1\" platform shows the window on no screen: the game runs unseen until it is stopped")
                .arg(platform));
        return;
    }
    const QScreen& screen = *QGuiApplication::primaryScreen();
    const int factor = std::max(1, int(screen.devicePixelRatio()));
    if (!fits(factor, freePixels(screen)))
        say(QStringLiteral("the window (%1 pixels) is larger than the screen (%2): its right and bottom edges are off it")
                .arg(sizeText(OuterSize * factor), sizeText(freePixels(screen))));
}

// Runs once, as soon as the window has been painted for the first time.
void afterFirstPaint(QWidget& window, void (*run)())
{
    class Watch final : public QObject {
    public:
        Watch(QWidget& window, void (*run)()) : QObject(&window), m_run(run) { window.installEventFilter(this); }

    protected:
        bool eventFilter(QObject* watched, QEvent* event) override
        {
            if (event->type() == QEvent::Paint) {
                watched->removeEventFilter(this);  // a second paint may come before the deletion
                QTimer::singleShot(0, m_run);      // after the whole window is on screen
                deleteLater();
            }
            return false;
        }

    private:
        void (*m_run)();
    };
    new Watch(window, run);
}

} // namespace

int runGame(int& argc, char** argv, const std::function<void(TRivev&)>& ready)
{
    // Reading the font configuration takes milliseconds that the window's
    // first texts would wait for; it is read on a second thread while the
    // application connects to the display.
    std::thread fontConfiguration([] { FcInit(); });
    beginDisplayCheck();
    const std::unique_ptr<QApplication> app = openApplication(argc, argv);  // takes Qt's own options
    endDisplayCheck();
    sayWhereItIsShown();
    fontConfiguration.join();
    QApplication::setApplicationName(QString::fromUtf8(play::ApplicationTitle));
    QGuiApplication::setDesktopFileName(QStringLiteral(VESMOR_APP_ID));
    QApplication::setWindowIcon(pictures::programIconSet());  // for every window of the game
    installFontSubstitutions();
    installToolkitTranslation();
    QApplication::setFont(gameFont(PGothicFace, 12));

    // The dialogs belong to the main window: a window manager keeps them
    // above it, and the focus goes back to it when they close.
    TRivev window;
    window.setDialogs([&window] { return new TAboutBox(&window); }, [&window] { return new THelpDlg(&window); });
    if (ready)
        ready(window);
    window.show();
    centreOnScreen(window);
    window.activateWindow();
    // Asking the fonts about Japanese letters takes milliseconds, and at
    // first the window shows none: the question waits until it is painted.
    afterFirstPaint(window, warnWithoutJapaneseFont);
    return app->exec();
}

} // namespace ui
