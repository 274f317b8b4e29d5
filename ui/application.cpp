#include "application.h"

#include "aboutbox.h"
#include "displaycheck.h"
#include "fixeddialog.h"
#include "fonts.h"
#include "helpdlg.h"
#include "pictures.h"
#include "trivev.h"

#include <QApplication>
#include <QScreen>
#include <QTimer>

#include <fontconfig/fontconfig.h>

#include <algorithm>
#include <memory>
#include <thread>

namespace ui {

namespace {

// The main window with its frame; the dialogs are smaller.
constexpr QSize OuterSize(537, 480);

// The largest whole factor, not above the one the screen asks for, at which
// the main window and its dialogs still fit the screen's free area.
int fittingFactor(const QScreen& screen)
{
    const qreal asked = screen.devicePixelRatio();
    const QSize pixels = screen.availableGeometry().size() * asked;
    int factor = std::max(1, int(asked));
    while (factor > 1 && (OuterSize.width() * factor > pixels.width() || OuterSize.height() * factor > pixels.height()))
        --factor;
    return factor;
}

// Whole scale factors only, so the view and the map stay sharp: the screen's
// own factor rounded down (1 on a 144-dpi screen, 2 on a 192-dpi one), and
// lower still where the window would not fit. The factor can only be set
// before the application exists, so on such a screen it is made a second
// time, scaled down.
std::unique_ptr<QApplication> openApplication(int& argc, char** argv)
{
    QGuiApplication::setHighDpiScaleFactorRoundingPolicy(Qt::HighDpiScaleFactorRoundingPolicy::Floor);
    auto app = std::make_unique<QApplication>(argc, argv);
    const QScreen* screen = QGuiApplication::primaryScreen();
    const qreal asked = screen->devicePixelRatio();
    const int factor = fittingFactor(*screen);
    if (factor == asked)
        return app;
    const double given = qEnvironmentVariableIsSet("QT_SCALE_FACTOR") ? qgetenv("QT_SCALE_FACTOR").toDouble() : 1.0;
    app.reset();
    qputenv("QT_SCALE_FACTOR", QByteArray::number((given > 0 ? given : 1.0) * factor / asked));
    return std::make_unique<QApplication>(argc, argv);
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
    fontConfiguration.join();
    QApplication::setApplicationName(QStringLiteral("Vesmor"));
    QGuiApplication::setDesktopFileName(QStringLiteral("io.github.vesmor.Vesmor"));
    QApplication::setWindowIcon(pictures::programIconSet());  // for every window of the game
    installFontSubstitutions();
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
