// Frames written by the scenario driver, checked by their pixels (sampled
// inside regions, away from edges).
#include <QColor>
#include <QImage>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

namespace {

QString runDriver(const QString& script, QString* errors = nullptr)
{
    QProcess driver;
    driver.start(QStringLiteral(VESMOR_SCRIPT_DRIVER), {});
    driver.write(script.toUtf8());
    driver.closeWriteChannel();
    driver.waitForFinished(60000);
    if (errors)
        *errors = QString::fromUtf8(driver.readAllStandardError());
    return QString::fromUtf8(driver.readAllStandardOutput());
}

QString colourAt(const QImage& image, int x, int y) { return QColor(image.pixel(x, y)).name(); }

} // namespace

class DriverPngTest : public QObject {
    Q_OBJECT

private slots:
    void viewFromTheEntranceAtNoon()
    {
        QTemporaryDir dir;
        const QString file = dir.filePath(QStringLiteral("view.png"));
        runDriver(QStringLiteral("map 0\nstart\ntick\nscene %1\n").arg(file));
        const QImage view(file);
        QCOMPARE(view.size(), QSize(330, 330));
        QCOMPARE(colourAt(view, 165, 50), QStringLiteral("#0000e8"));   // sky at 300 seconds
        QCOMPARE(colourAt(view, 165, 315), QStringLiteral("#756475"));  // floor
        QCOMPARE(colourAt(view, 150, 150), QStringLiteral("#eef0f0"));  // the wall ahead in shade W
        QCOMPARE(colourAt(view, 1, 165), QStringLiteral("#ffffff"));    // the border
        QCOMPARE(colourAt(view, 165, 253), QStringLiteral("#c0c0c0"));  // a grid line seen below the wall
    }

    void timeOutAndGoalScenes()
    {
        QTemporaryDir dir;
        const QString dark = dir.filePath(QStringLiteral("dark.png"));
        const QString goal = dir.filePath(QStringLiteral("goal.png"));
        const QString state = runDriver(QStringLiteral("map 2\nstart\ncountdown 300\ntick\nscene %1\nstate\n"
                                                       "start\nplace 1 1 1\ntick\nscene %2\nstate\n")
                                            .arg(dark, goal));
        const QStringList lines = state.split(QLatin1Char('\n'));
        QVERIFY(lines[0].contains(QStringLiteral("time=0 ")) && lines[0].contains(QStringLiteral("trapped=1")));
        QVERIFY(lines[1].contains(QStringLiteral("won=1")) && lines[1].contains(QStringLiteral("period=0")));
        const QImage black(dark);
        for (const QPoint p : {QPoint(20, 20), QPoint(165, 165), QPoint(300, 310)})
            QCOMPARE(colourAt(black, p.x(), p.y()), QStringLiteral("#000000"));
        const QImage won(goal);
        QCOMPARE(colourAt(won, 165, 100), QStringLiteral("#000080"));   // navy sky
        QCOMPARE(colourAt(won, 165, 280), QStringLiteral("#800000"));   // maroon floor
        QCOMPARE(colourAt(won, 10, 165), QStringLiteral("#808080"));    // grey side
    }

    void waterBlackensTheNearBandAndTheMapShowsTheWay()
    {
        QTemporaryDir dir;
        const QString scene = dir.filePath(QStringLiteral("splash.png"));
        // File names are the rest of the line: spaces are kept, a comment is not.
        const QString map = dir.filePath(QStringLiteral("the map.png"));
        const QString window = dir.filePath(QStringLiteral("main  window.png"));
        QString errors;
        runDriver(QStringLiteral("map 0\nstart\nforward\ntick\nplace 12 15 0\ntick\nscene %1\nmap-image %2\n"
                                 "window  %3  # the whole window\n")
                      .arg(scene, map, window),
                  &errors);
        QVERIFY2(errors.isEmpty(), qPrintable(errors));
        const QImage splash(scene);
        QCOMPARE(colourAt(splash, 165, 320), QStringLiteral("#000000"));
        const QImage overview(map);
        QCOMPARE(overview.size(), QSize(120, 120));
        QCOMPARE(colourAt(overview, 18, 90), QStringLiteral("#008080"));   // the waterway line
        QCOMPARE(colourAt(overview, 114, 116), QStringLiteral("#000000")); // the first step
        QCOMPARE(colourAt(overview, 100, 10), QStringLiteral("#ffffff"));
        const QImage whole(window);
        QCOMPARE(whole.size(), QSize(529, 462));
        QCOMPARE(colourAt(whole, 31 + 165, 31 + 320), QStringLiteral("#000000"));
    }
};

QTEST_GUILESS_MAIN(DriverPngTest)
#include "test_driver_png.moc"
