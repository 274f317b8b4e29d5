// The main window on real widgets (offscreen): played with its buttons and
// menus, its dialogs and close confirmation, its timers and its layout.
#include "ui/aboutbox.h"
#include "ui/fonts.h"
#include "ui/helpdlg.h"
#include "ui/trivev.h"

#include "play/version.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QHash>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QPainter>
#include <QPushButton>
#include <QStyle>
#include <QTest>
#include <QTimer>

#include <algorithm>
#include <cstdlib>

using ui::TRivev;

namespace {

// Runs the event loop for ms milliseconds; fast timers fire as they would.
void spin(int ms)
{
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
}

template <typename T>
T* child(QWidget& window, const char* name)
{
    T* found = window.findChild<T*>(QLatin1String(name));
    if (!found)
        qFatal("no control %s", name);
    return found;
}

// Chooses an item of a button's right-click menu the way a player does.
void chooseFromMenu(QWidget& window, QPushButton* button, const QString& item)
{
    QTimer::singleShot(0, [item] {
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        QVERIFY(menu);
        for (QAction* action : menu->actions())
            if (action->text() == item)
                menu->setActiveAction(action);
        QTest::keyClick(menu, Qt::Key_Return);
    });
    const QPoint at = button->mapTo(&window, button->rect().center());
    QTest::mouseClick(window.windowHandle(), Qt::RightButton, {}, at);
}

// Answers the next modal dialog by clicking the button with this text.
void answerNextDialog(const QString& buttonText, int afterMs = 0)
{
    QTimer::singleShot(afterMs, [buttonText] {
        QWidget* modal = QApplication::activeModalWidget();
        QVERIFY(modal);
        for (auto* button : modal->findChildren<QAbstractButton*>())
            if (button->text() == buttonText) {
                button->click();
                return;
            }
        QFAIL("no such button");
    });
}

} // namespace

class WindowTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase()
    {
        ui::installFontSubstitutions();
        QApplication::setFont(ui::gameFont(ui::PGothicFace, 12));
    }

    void playsAGameWithTheButtons()
    {
        TRivev window;
        window.runModal = [](QDialog&) {};
        window.show();
        chooseFromMenu(window, child<QPushButton>(window, "Button3"), QStringLiteral("map 0"));
        QCOMPARE(child<QLabel>(window, "Label2")->text(), QStringLiteral("0"));
        QVERIFY(!window.playfield().game.GameActive());

        QTest::mouseClick(child<QPushButton>(window, "Button3"), Qt::LeftButton);
        const game::Game& g = window.playfield().game;
        QVERIFY(g.GameActive());
        QCOMPARE(child<QLineEdit>(window, "TimeEdit")->text(), QStringLiteral("300"));
        QVERIFY(window.timer2().isActive());
        QCOMPARE(window.timer2().interval(), 1000);

        QTest::mouseClick(child<QPushButton>(window, "MaeBtn"), Qt::LeftButton);
        QCOMPARE(window.playfield().beeps, 1);
        spin(120);
        QCOMPARE(int(g.player().row), 28);
        QCOMPARE(int(g.player().column), 28);
        QTest::mouseClick(child<QPushButton>(window, "LeftBtn"), Qt::LeftButton);
        QCOMPARE(g.player().direction(), 2);
        QTest::mouseClick(child<QPushButton>(window, "RightBtn"), Qt::LeftButton);
        QTest::mouseClick(child<QPushButton>(window, "RightBtn"), Qt::LeftButton);
        QCOMPARE(g.player().direction(), 0);

        // The walked step is on the map, black over white.
        const QImage map = child<QWidget>(window, "Image2")->grab().toImage();
        QCOMPARE(map.pixel(4 * 28 + 2, 4 * 28 + 5), qRgb(0, 0, 0));
        QCOMPARE(map.pixel(60, 110), qRgb(255, 255, 255));
    }

    void rightClickMenusChooseWithoutPressing()
    {
        TRivev window;
        window.runModal = [](QDialog&) {};
        window.show();
        chooseFromMenu(window, child<QPushButton>(window, "Button3"), QStringLiteral("map 7"));
        chooseFromMenu(window, child<QPushButton>(window, "Button1"), QStringLiteral("180秒"));
        const game::Game& g = window.playfield().game;
        QCOMPARE(g.MazeIndex(), 7);
        QCOMPARE(g.StartSlot(), 0);
        QCOMPARE(g.TimeLimit(), 180);
        QVERIFY(!g.GameActive());
        QCOMPARE(child<QLineEdit>(window, "TimeEdit")->text(), QStringLiteral("300"));
        QTest::mouseClick(child<QPushButton>(window, "Button1"), Qt::LeftButton);
        QCOMPARE(child<QLineEdit>(window, "TimeEdit")->text(), QStringLiteral("180"));

        // The items keep the game's names, top to bottom.
        QStringList names;
        for (QMenu* menu : {window.popupMenu1(), window.popupMenu2()})
            for (QAction* item : menu->actions())
                names << item->objectName();
        QCOMPARE(names.join(QLatin1Char(' ')), QStringLiteral("map01 map11 map21 map31 map41 map51 map61 map71 map81 "
                                                             "map91 K1801 K2401 K3001 K3601"));
    }

    void helpGreetsOnceAndEnterStarts()
    {
        TRivev window;
        ui::TAboutBox about;
        ui::THelpDlg help;
        window.setDialogs([&] { return &about; }, [&] { return &help; });
        int helpShown = 0, aboutShown = 0;
        window.runModal = [&](QDialog& dialog) {
            ++(&dialog == &help ? helpShown : aboutShown);
            answerNextDialog(QStringLiteral("OK"), 10);
            dialog.exec();
        };
        window.show();
        window.activateWindow();
        QTRY_COMPARE(helpShown, 1);
        window.activateWindow();  // the focus back from the dialog: no second greeting
        spin(50);
        QCOMPARE(helpShown, 1);
        QVERIFY(!window.playfield().game.GameActive());
        QCOMPARE(child<QLineEdit>(window, "TimeEdit")->text(), QStringLiteral("300"));

        QTest::mouseClick(child<QLabel>(window, "Image1"), Qt::LeftButton);
        QCOMPARE(aboutShown, 1);
        QTest::mouseClick(child<QLabel>(window, "Label5"), Qt::RightButton);
        QCOMPARE(helpShown, 2);
        spin(50);
        QCOMPARE(helpShown, 2);  // closing a dialog never brings the greeting back

        QTest::keyClick(&window, Qt::Key_Return);
        QVERIFY(window.playfield().game.GameActive());
    }

    // A right click only opens a menu: Enter then presses Start, not Redo.
    void rightClickLeavesTheFocus()
    {
        TRivev window;
        window.runModal = [](QDialog&) {};
        window.show();
        window.mapClick(0);
        chooseFromMenu(window, child<QPushButton>(window, "Button1"), QStringLiteral("240秒"));
        window.playfield().game.placeAt({20, 5, 3});
        QTest::keyClick(&window, Qt::Key_Return);
        QCOMPARE(int(window.playfield().game.player().row), 28);  // Start went back to the start
        QCOMPARE(child<QLineEdit>(window, "TimeEdit")->text(), QStringLiteral("240"));
    }

    // Start, Redo, the picture buttons and the dialogs' "OK" wear a flat
    // silver face with the classic raised edge whatever the style, on this
    // run's GNOME desktop too, and sink while held down; the captions keep
    // their colours, and Start and OK, which hold the focus, the dotted
    // mark. The dialogs stand on the same silver, their sunken boxes grey
    // above and white below.
    void facesAreClassicUnderEveryStyle()
    {
        const QString styleBefore = QApplication::style()->name();
        for (const char* style : {"Fusion", "Windows"}) {
            QVERIFY2(QApplication::setStyle(QLatin1String(style)), style);
            const auto shotOf = [](QWidget& window) {
                window.show();
                window.activateWindow();
                return QTest::qWaitForWindowActive(&window) ? window.grab().toImage() : QImage();
            };
            // The commonest colour inside the edge, the edge across the
            // middle, left to right, and with `focused`, the first two
            // pixels of the focus mark's top.
            const auto face = [](const QImage& shot, const QRect& r, bool focused) {
                const auto at = [&](int x, int y) { return QColor(shot.pixel(x, y)).name(); };
                QHash<QRgb, int> colours;
                for (int y = r.top() + 2; y < r.bottom() - 1; ++y)
                    for (int x = r.left() + 2; x < r.right() - 1; ++x)
                        ++colours[shot.pixel(x, y)];
                const QRgb commonest = std::max_element(colours.keyValueBegin(), colours.keyValueEnd(),
                                                        [](auto a, auto b) { return a.second < b.second; })->first;
                const int y = r.center().y();
                return QColor(commonest).name() + QLatin1Char(' ') + at(r.left(), y) + at(r.left() + 1, y) +
                       at(r.right() - 1, y) + at(r.right(), y) +
                       (focused ? QLatin1Char(' ') + at(r.left() + 4, r.top() + 4) + at(r.left() + 5, r.top() + 4)
                                : QString());
            };
            const QString classic = QStringLiteral("#c0c0c0 #ffffff#dfdfdf#808080#000000");
            const QString focusMark = QStringLiteral(" #000000#c0c0c0");

            TRivev window;
            window.runModal = [](QDialog&) {};
            const QImage shot = shotOf(window);
            for (const char* name : {"Button1", "Button3", "LeftBtn", "MaeBtn", "RightBtn"}) {
                const bool start = QLatin1String(name) == QLatin1String("Button3");
                const QString where = QStringLiteral(" %1 under %2").arg(QLatin1String(name), QLatin1String(style));
                QCOMPARE(face(shot, child<QPushButton>(window, name)->geometry(), start) + where,
                         classic + (start ? focusMark : QString()) + where);
            }
            // The captions: white "Redo", black "Start" (the system's text
            // colour here), each with more than a few pixels of its own ink.
            const auto at = [&](int x, int y) { return QColor(shot.pixel(x, y)).name(); };
            int white = 0, black = 0;
            for (const auto& [name, ink] : {std::pair{"Button1", &white}, {"Button3", &black}}) {
                const QRect r = child<QPushButton>(window, name)->geometry().adjusted(6, 6, -6, -6);
                for (int y = r.top(); y <= r.bottom(); ++y)
                    for (int x = r.left(); x <= r.right(); ++x)
                        *ink += at(x, y) == (ink == &white ? QStringLiteral("#ffffff") : QStringLiteral("#000000"));
            }
            QVERIFY2(white > 40 && black > 40, qPrintable(QStringLiteral("%1 %2").arg(white).arg(black)));

            auto* mae = child<QPushButton>(window, "MaeBtn");
            mae->setDown(true);
            const QImage pressed = mae->grab().toImage();
            mae->setDown(false);
            const int y = pressed.height() / 2;
            QCOMPARE(QColor(pressed.pixel(0, y)).name() + QColor(pressed.pixel(1, y)).name() +
                         QColor(pressed.pixel(pressed.width() - 1, y)).name() + QColor(pressed.pixel(4, y)).name(),
                     QStringLiteral("#000000#808080#ffffff#c0c0c0"));
            window.hide();

            ui::TAboutBox about;
            ui::THelpDlg help;
            using Dialog = std::tuple<QDialog*, const char*, const char*>;  // its OK and its sunken box
            for (const auto& [dialog, ok, sunken] : {Dialog{&about, "OKButton", "Panel1"}, {&help, "OKBtn", "Bevel1"}}) {
                const QImage dialogShot = shotOf(*dialog);
                const QString where = QStringLiteral(" %1 under %2").arg(QLatin1String(ok), QLatin1String(style));
                QCOMPARE(face(dialogShot, child<QPushButton>(*dialog, ok)->geometry(), true) + where,
                         classic + focusMark + where);
                const QRect box = child<QWidget>(*dialog, sunken)->geometry();
                const auto dialogAt = [&](QPoint p) { return QColor(dialogShot.pixel(p)).name(); };
                QCOMPARE(dialogAt({2, 2}) + dialogAt(box.topLeft()) + dialogAt(box.bottomRight()) + where,
                         QStringLiteral("#c0c0c0#808080#ffffff") + where);
                dialog->hide();
            }
        }
        QApplication::setStyle(styleBefore);
    }

    void cancelledCloseLeavesTheGameAsItWas()
    {
        TRivev window;
        window.runModal = [](QDialog&) {};
        window.show();
        window.mapClick(0);
        window.Button3Click();
        window.playfield().game.placeAt({20, 5, 3});
        answerNextDialog(QStringLiteral("ｷｬﾝｾﾙ"));
        QVERIFY(!window.close());
        QVERIFY(window.isVisible());
        QVERIFY(window.timer1().isActive());
        QVERIFY(window.timer2().isActive());
        QCOMPARE(int(window.playfield().game.player().row), 20);
        QVERIFY(window.playfield().game.GameActive());
        QVERIFY(window.playfield().hasSceneBitmap());

        // The question itself, then consent: the tick stops and the bitmap goes.
        QTimer::singleShot(0, [] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            QVERIFY(box);
            QCOMPARE(box->windowTitle(), QStringLiteral("確認"));
            QCOMPARE(box->text(), QStringLiteral("VESMORを終了しますか？"));
            QCOMPARE(box->icon(), QMessageBox::Question);
            QCOMPARE(box->defaultButton()->text(), QStringLiteral("OK"));
            QCOMPARE(box->escapeButton()->text(), QStringLiteral("ｷｬﾝｾﾙ"));
            // OK then ｷｬﾝｾﾙ, left to right, on this run's GNOME desktop too;
            // the box centred on the screen, not on the window.
            QVERIFY(box->defaultButton()->x() < box->escapeButton()->x());
            QCOMPARE(box->frameGeometry().center(), box->screen()->availableGeometry().center());
            box->defaultButton()->click();
        });
        QTest::mouseClick(child<QLabel>(window, "Label1"), Qt::LeftButton);
        QVERIFY(!window.isVisible());
        QVERIFY(!window.timer1().isActive());
        QVERIFY(!window.playfield().hasSceneBitmap());
        window.Timer1Timer();  // a late tick draws nothing and does not crash
    }

    void bothTimersRunWhileADialogIsOpen()
    {
        TRivev window;
        ui::TAboutBox about;
        window.setDialogs([&] { return &about; }, nullptr);
        window.show();
        window.mapClick(0);
        window.Button3Click();
        int frames = 0;
        connect(&window, &TRivev::frameShown, [&] { ++frames; });
        answerNextDialog(QStringLiteral("OK"), 1150);
        window.Image1Click();  // the about box, modal, for a little over a second
        QVERIFY2(frames >= 18, qPrintable(QString::number(frames)));
        QCOMPARE(child<QLineEdit>(window, "TimeEdit")->text(), QStringLiteral("299"));
    }

    void layoutShowsItsColoursInPlace()
    {
        TRivev window;
        window.runModal = [](QDialog&) {};
        window.show();
        window.mapClick(0);
        window.Button3Click();
        window.Timer1Timer();
        const QImage shot = window.grab().toImage();
        QCOMPARE(shot.size(), QSize(529, 462));
        const auto at = [&](int x, int y) { return QColor(shot.pixel(x, y)).name(); };
        QCOMPARE(at(12, 200), QStringLiteral("#008080"));   // the teal view frame
        QCOMPARE(at(20, 200), QStringLiteral("#c0c0c0"));   // its silver margin
        QCOMPARE(at(8, 8), QStringLiteral("#808080"));      // sunken box, dark edge
        QCOMPARE(at(384, 384), QStringLiteral("#ffffff"));  // and its light edge
        QCOMPARE(at(196, 40), QStringLiteral("#0000e8"));   // the sky at 300 seconds
        QCOMPARE(at(196, 351), QStringLiteral("#756475"));  // the floor
        QCOMPARE(at(70, 420), QStringLiteral("#000080"));   // the navy tray
        QCOMPARE(at(15, 402), QStringLiteral("#008080"));   // its teal edge
        QCOMPARE(at(300, 420), QStringLiteral("#000080"));  // the other tray
        QCOMPARE(at(458, 100), QStringLiteral("#000000"));  // the icon box
        QCOMPARE(at(427, 11), QStringLiteral("#c0c0c0"));   // its silver outline
        QCOMPARE(at(411, 16), QStringLiteral("#ffff00"));   // a disc on the strip
        QCOMPARE(at(504, 66), QStringLiteral("#ffff00"));
        QCOMPARE(at(393, 300), QStringLiteral("#ffffff"));  // etched line, white
        QCOMPARE(at(391, 300), QStringLiteral("#808080"));  // and grey
        QCOMPARE(at(458, 250), QStringLiteral("#ffffff"));  // the cleared map
        QCOMPARE(at(484, 431), QStringLiteral("#000000"));  // "Exit" on black
        QCOMPARE(at(476, 159), QStringLiteral("#ffffff"));  // the count's white field
        int red = 0;
        for (int y = 400; y < 436; ++y)
            for (int x = 196; x < 212; ++x)
                red += QColor(shot.pixel(x, y)).name() == QStringLiteral("#ff0000");
        QVERIFY2(red > 20, "the red \"?\"");
    }

    // The web page's copy of the pictures holds the very pixels the windows
    // show: the glyphs on their buttons' faces, the icon, the north arrow,
    // the strips around their yellow discs, the about picture and the help
    // logo.
    void pictureFilesAreWhatTheWindowsShow()
    {
        const auto file = [](const char* name) {
            const QImage image(QStringLiteral(VESMOR_PAGE_PICTURES_DIR "/") + QLatin1String(name));
            if (image.isNull())
                qFatal("no picture file %s", name);
            return image.convertToFormat(QImage::Format_ARGB32);
        };
        const auto opaque = [](const QImage& image) { return image.convertToFormat(QImage::Format_RGB32); };
        TRivev window;
        window.show();
        const QImage shot = opaque(window.grab().toImage());
        QCOMPARE(shot.copy(442, 16, 32, 32), opaque(file("icon.png")));
        QCOMPARE(shot.copy(395, 161, 17, 16), opaque(file("north.png")));

        for (const auto& [name, glyph] : {std::pair{"LeftBtn", "left.png"}, {"MaeBtn", "forward.png"},
                                          {"RightBtn", "right.png"}}) {
            QImage onFace = file(glyph);
            const QRect button = child<QPushButton>(window, name)->geometry();
            QImage expected(onFace.size(), QImage::Format_RGB32);
            expected.fill(QColor(0xC0, 0xC0, 0xC0));
            QPainter(&expected).drawImage(0, 0, onFace);
            QCOMPARE(shot.copy(button.x() + (button.width() - 16) / 2, button.y() + (button.height() - 16) / 2, 16, 16),
                     expected);
        }

        const QImage strip = opaque(file("strip.png"));
        QCOMPARE(strip.size(), QSize(15, 115));
        for (int left : {404, 497}) {
            int same = 0;
            for (int y = 0; y < strip.height(); ++y)
                for (int x = 0; x < strip.width(); ++x) {
                    const QRgb shown = shot.pixel(left + x, 8 + y);
                    if (shown == qRgb(0xFF, 0xFF, 0x00))
                        continue;  // a disc's yellow lies over the strip
                    QCOMPARE(shown, strip.pixel(x, y));
                    ++same;
                }
            QVERIFY(same > 15 * 115 - 3 * 100);
        }

        ui::TAboutBox about;
        QCOMPARE(opaque(child<QLabel>(about, "ProgramIcon")->grab().toImage()), opaque(file("about.png")));
        ui::THelpDlg help;
        QCOMPARE(opaque(child<QLabel>(help, "Image1")->grab().toImage()), opaque(file("logo.png")));
    }

    void hintsAreAccessibleNames()
    {
        TRivev window;
        int hinted = 0;
        for (QWidget* control : window.findChildren<QWidget*>()) {
            if (control->toolTip().isEmpty())
                continue;
            ++hinted;
            QCOMPARE(control->accessibleName(), control->toolTip());
        }
        QCOMPARE(hinted, 7);
        QCOMPARE(child<QPushButton>(window, "Button3")->toolTip(), QStringLiteral("右ｸﾘｯｸでﾏｯﾌﾟの選択"));
        QCOMPARE(window.windowTitle(),
                 QStringLiteral("Vesmor1.1 夜は千の眼を持っている。あなたには一つの眼も残されていない。"));
        QVERIFY(window.windowTitle().startsWith(QStringLiteral("Vesmor" VESMOR_VERSION " ")));
        // Every text on the window has its glyphs in the face it resolves to.
        for (QWidget* control : window.findChildren<QWidget*>()) {
            QString text = control->toolTip();
            if (auto* l = qobject_cast<QLabel*>(control))
                text += l->text();
            if (auto* b = qobject_cast<QAbstractButton*>(control))
                text += b->text();
            const QFontMetrics metrics(control->font());
            for (char32_t c : text.toUcs4())
                QVERIFY2(metrics.inFontUcs4(c), qPrintable(control->objectName() + ": " + QString::fromUcs4(&c, 1)));
        }
    }
};

QTEST_MAIN(WindowTest)
#include "test_window.moc"
