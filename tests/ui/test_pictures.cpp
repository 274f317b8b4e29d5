// The built-in pictures: sizes, colours and the shapes the game relies on.
#include "ui/pictures.h"

#include "ui/fonts.h"

#include "play/version.h"

#include <QDirIterator>
#include <QPainter>
#include <QSvgRenderer>
#include <QtTest>

#include <cmath>
#include <functional>
#include <set>

namespace {

constexpr QRgb Olive = ui::qRgbOf(ui::pictures::Olive);
constexpr QRgb Navy = ui::qRgbOf(render::Navy);
constexpr QRgb Red = ui::qRgbOf(render::Red);
constexpr QRgb Silver = ui::qRgbOf(render::Silver);
constexpr QRgb Black = ui::qRgbOf(render::Black);
constexpr QRgb Yellow = ui::qRgbOf(render::Yellow);

QRgb at(const QImage& image, int x, int y)
{
    return image.pixel(x, y) | 0xFF000000u;
}

// The inked run of one row: first column and width, or width 0 if the row is
// empty. Fails the test if the ink in the row has a gap.
struct Run {
    int first = -1;
    int width = 0;
};

Run inkRun(const QImage& image, int y, QRgb ink, int from, int to)
{
    Run run;
    for (int x = from; x < to; ++x) {
        if (at(image, x, y) != ink)
            continue;
        if (run.width == 0)
            run.first = x;
        else if (run.first + run.width != x)
            return {-1, -1};  // a gap in the row
        ++run.width;
    }
    return run;
}

// A picture of the web page's copy, as the windows show it.
QImage pageCopy(const QString& file)
{
    const QImage image(QStringLiteral(VESMOR_PAGE_PICTURES_DIR "/") + file);
    if (image.isNull())
        qFatal("no picture %s", qPrintable(file));
    return image.convertToFormat(QImage::Format_ARGB32);
}

int count(const QImage& image, const std::function<bool(QRgb)>& test)
{
    int n = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            n += test(at(image, x, y)) ? 1 : 0;
    return n;
}

// Number of 4-connected regions of the given colour.
int regions(const QImage& image, QRgb colour)
{
    QImage seen(image.size(), QImage::Format_Mono);
    seen.fill(0);
    int found = 0;
    for (int y0 = 0; y0 < image.height(); ++y0) {
        for (int x0 = 0; x0 < image.width(); ++x0) {
            if (at(image, x0, y0) != colour || seen.pixelIndex(x0, y0))
                continue;
            ++found;
            QList<QPoint> todo{{x0, y0}};
            seen.setPixel(x0, y0, 1);
            while (!todo.isEmpty()) {
                const QPoint p = todo.takeLast();
                for (const QPoint& d : {QPoint(1, 0), QPoint(-1, 0), QPoint(0, 1), QPoint(0, -1)}) {
                    const QPoint q = p + d;
                    if (image.rect().contains(q) && !seen.pixelIndex(q) && at(image, q.x(), q.y()) == colour) {
                        seen.setPixel(q, 1);
                        todo.append(q);
                    }
                }
            }
        }
    }
    return found;
}

} // namespace

class TestPictures : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { ui::installFontSubstitutions(); }

    void glyphPairsOnOlive_data()
    {
        QTest::addColumn<QImage>("glyph");
        QTest::addColumn<QRgb>("ink");
        QTest::newRow("left") << ui::pictures::leftGlyph() << Navy;
        QTest::newRow("mae") << ui::pictures::maeGlyph() << Red;
        QTest::newRow("right") << ui::pictures::rightGlyph() << Navy;
    }
    void glyphPairsOnOlive()
    {
        QFETCH(QImage, glyph);
        QFETCH(QRgb, ink);
        QCOMPARE(glyph.size(), QSize(32, 16));
        QCOMPARE(at(glyph, 0, 15), Olive);  // the button's transparent colour
        // The normal half holds only olive and the ink; the disabled half
        // only olive, grey and white, and it does show something.
        for (int y = 0; y < 16; ++y)
            for (int x = 0; x < 16; ++x)
                QVERIFY(at(glyph, x, y) == Olive || at(glyph, x, y) == ink);
        const QImage disabled = glyph.copy(16, 0, 16, 16);
        const std::set<QRgb> embossed{Olive, qRgb(0x80, 0x80, 0x80), qRgb(0xFF, 0xFF, 0xFF)};
        QCOMPARE(count(disabled, [&](QRgb c) { return !embossed.count(c); }), 0);
        QVERIFY(count(disabled, [](QRgb c) { return c == qRgb(0x80, 0x80, 0x80); }) > 20);
    }

    // The arrows as the windows show them (the page's copy of the pictures,
    // which the window test holds to the windows): each a solid wedge of
    // its ink, one pixel at the tip, widening without a gap to its base,
    // the same on both sides of its middle line, and the north arrow's stem
    // below; around a button's arrow its face shows through, around the
    // north arrow the window's silver. The right arrow mirrors the left.
    void arrowsPointWhereTheyGo_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QRgb>("ink");
        QTest::addColumn<int>("turn");  // how far it is turned, clockwise, to point up
        QTest::addColumn<int>("base");
        QTest::newRow("left") << "left.png" << Navy << 90 << 15;
        QTest::newRow("right") << "right.png" << Navy << -90 << 15;
        QTest::newRow("forward") << "forward.png" << Red << 0 << 15;
        QTest::newRow("north") << "north.png" << Red << 0 << 13;
    }
    void arrowsPointWhereTheyGo()
    {
        QFETCH(QString, file);
        QFETCH(QRgb, ink);
        QFETCH(int, turn);
        QFETCH(int, base);
        const QImage shown = pageCopy(file);
        const QImage up = shown.transformed(QTransform().rotate(turn));
        int widest = 0, rows = 0, middle = -1;
        for (int y = 0; y < up.height(); ++y) {
            const Run run = inkRun(up, y, ink, 0, up.width());
            QVERIFY2(run.width >= 0, qPrintable(QStringLiteral("a gap in row %1").arg(y)));
            if (run.width == 0)
                continue;
            if (rows++ == 0)
                QCOMPARE(run.width, 1);  // the tip
            if (middle < 0)
                middle = 2 * run.first + run.width;
            QCOMPARE(2 * run.first + run.width, middle);
            if (widest < base)
                QVERIFY2(run.width >= widest, qPrintable(QStringLiteral("row %1 narrows").arg(y)));
            widest = std::max(widest, run.width);
        }
        QCOMPARE(widest, base);
        const bool onSilver = file == QLatin1String("north.png");
        for (int y = 0; y < shown.height(); ++y)
            for (int x = 0; x < shown.width(); ++x)
                if (at(shown, x, y) != ink)
                    QVERIFY(onSilver ? at(shown, x, y) == Silver : qAlpha(shown.pixel(x, y)) == 0);
        if (file == QLatin1String("right.png"))
            QCOMPARE(shown, pageCopy(QStringLiteral("left.png")).mirrored(true, false));
    }

    // The web page's copy of the pictures is what the game draws now: the
    // pictures as the windows show them, the icon at each size (the web
    // app's too), the maskable icon and the scalable icon, and nothing else.
    // When a picture changes, `make pictures` draws the copy again.
    void pageCopyIsWhatIsDrawn()
    {
        QStringList expected;
        for (const ui::pictures::Shown& shown : ui::pictures::ShownPictures) {
            expected << QLatin1String(shown.file);
            QVERIFY2(pageCopy(QLatin1String(shown.file)) == shown.picture().convertToFormat(QImage::Format_ARGB32),
                     shown.file);
        }
        QList<int> sizes(std::begin(ui::pictures::IconSizes), std::end(ui::pictures::IconSizes));
        sizes.append(QList<int>(std::begin(ui::pictures::AppIconSizes), std::end(ui::pictures::AppIconSizes)));
        for (int size : sizes) {
            const QString icon = QStringLiteral("icons/icon-%1x%1.png").arg(size);
            expected << icon;
            QVERIFY2(pageCopy(icon) == ui::pictures::programIcon(size).convertToFormat(QImage::Format_ARGB32),
                     qPrintable(icon));
        }
        const int side = ui::pictures::MaskableIconSize;
        const QString maskable = QStringLiteral("icons/maskable-%1x%1.png").arg(side);
        expected << maskable;
        QVERIFY(pageCopy(maskable) == ui::pictures::maskableIcon(side).convertToFormat(QImage::Format_ARGB32));
        QFile svg(QStringLiteral(VESMOR_PAGE_PICTURES_DIR "/icons/icon.svg"));
        QVERIFY(svg.open(QIODevice::ReadOnly));
        QCOMPARE(QString::fromUtf8(svg.readAll()), ui::pictures::programIconSvg());
        expected << QStringLiteral("icons/icon.svg");
        QStringList found;
        QDirIterator files(QStringLiteral(VESMOR_PAGE_PICTURES_DIR), QDir::Files, QDirIterator::Subdirectories);
        while (files.hasNext())
            found << QDir(QStringLiteral(VESMOR_PAGE_PICTURES_DIR)).relativeFilePath(files.next());
        found.sort();
        expected.sort();
        QCOMPARE(found, expected);
    }

    void programIconIsOneRedStroke()
    {
        const QImage icon = ui::pictures::programIcon();
        QCOMPARE(icon.size(), QSize(32, 32));
        QCOMPARE(count(icon, [](QRgb c) { return c != Red && c != Black; }), 0);
        QCOMPARE(regions(icon, Red), 1);    // one unbroken line
        QCOMPARE(regions(icon, Black), 1);  // a spiral, not closed rings
        QCOMPARE(count(icon.copy(0, 28, 32, 4), [](QRgb c) { return c != Black; }), 0);
        // The stem starts at the top left, and the line reaches round to the
        // right side and back into the middle.
        const Run top = inkRun(icon, 0, Red, 0, 32);
        QVERIFY(top.width > 0 && top.first + top.width <= 8);
        QVERIFY(inkRun(icon, 16, Red, 24, 32).width >= 3);
        QVERIFY(count(icon.copy(13, 11, 6, 6), [](QRgb c) { return c == Red; }) > 0);
        QCOMPARE(at(icon, 31, 0), Black);
        QCOMPARE(at(icon, 0, 31), Black);
    }

    // The icon theme's files as the build wrote them, one for each of the
    // window's sizes: the small ones sharp (the two colours only, one
    // stroke, at 48 still open with no pinholes; at 16 the curl closes),
    // the large ones smooth (red fading into black at the edges) and the
    // same spiral (shrunk to 32 pixels they agree with the 32-pixel picture
    // but for a few edge pixels); the scalable copy, drawn at 256 pixels,
    // the 256-pixel picture.
    void iconFilesSharpSmallAndSmoothLarge()
    {
        const QString folder = QStringLiteral(VESMOR_ICONS_DIR);
        const QString name = QStringLiteral("/apps/" VESMOR_APP_ID);
        const QImage icon32 = ui::pictures::programIcon();
        for (int size : ui::pictures::IconSizes) {
            const QImage icon(QStringLiteral("%1/%2x%2%3.png").arg(folder).arg(size).arg(name));
            QCOMPARE(icon.size(), QSize(size, size));
            QCOMPARE(icon.convertToFormat(QImage::Format_RGB32), ui::pictures::programIcon(size));
            const int blends = count(icon, [](QRgb c) { return c != Red && c != Black; });
            if (size < ui::pictures::SmoothIconSize) {
                QCOMPARE(blends, 0);
                QCOMPARE(regions(icon, Red), 1);
                continue;
            }
            QCOMPARE(count(icon, [](QRgb c) { return qGreen(c) != 0 || qBlue(c) != 0; }), 0);
            QVERIFY2(blends > size, qPrintable(QStringLiteral("%1 px: %2").arg(size).arg(blends)));
            const QImage shrunk = icon.scaled(32, 32, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
            int differ = 0;
            for (int y = 0; y < 32; ++y)
                for (int x = 0; x < 32; ++x)
                    differ += (qRed(shrunk.pixel(x, y)) >= 128) != (at(icon32, x, y) == Red);
            QVERIFY2(differ <= 12, qPrintable(QStringLiteral("%1 px: %2 differ").arg(size).arg(differ)));
        }
        QCOMPARE(regions(ui::pictures::programIcon(48), Black), 1);

        QSvgRenderer svg(QStringLiteral("%1/scalable%2.svg").arg(folder, name));
        QVERIFY(svg.isValid());
        QImage drawn(256, 256, QImage::Format_RGB32);
        drawn.fill(Qt::white);
        QPainter painter(&drawn);
        svg.render(&painter);
        painter.end();
        const QImage icon256 = ui::pictures::programIcon(256);
        int differ = 0;
        for (int y = 0; y < 256; ++y)
            for (int x = 0; x < 256; ++x)
                differ += std::abs(qRed(drawn.pixel(x, y)) - qRed(icon256.pixel(x, y))) > 64 ||
                          qGreen(drawn.pixel(x, y)) != 0;
        QVERIFY2(differ <= 64, qPrintable(QStringLiteral("%1 pixels differ").arg(differ)));
    }

    // The maskable icon: all of the spiral inside the circle of four fifths
    // of its width that a launcher's mask keeps, on an opaque black ground.
    void maskableIconKeepsTheSpiralInsideTheSafeCircle()
    {
        const int side = ui::pictures::MaskableIconSize;
        const QImage icon = ui::pictures::maskableIcon(side);
        QVERIFY(icon.size() == QSize(side, side) && !icon.hasAlphaChannel());
        double farthest = 0;
        const int red = count(icon, [](QRgb c) { return qRed(c) != 0; });
        for (int y = 0; y < side; ++y)
            for (int x = 0; x < side; ++x)
                if (qRed(icon.pixel(x, y)) != 0)
                    farthest = std::max(farthest, std::hypot(x + 0.5 - side / 2.0, y + 0.5 - side / 2.0));
        QVERIFY2(red > side && farthest <= 0.4 * side, qPrintable(QStringLiteral("%1 red, %2 out").arg(red).arg(farthest)));
    }

    void stripIsBlackOnNavy()
    {
        const QImage strip = ui::pictures::strip();
        QCOMPARE(strip.size(), QSize(56, 54));
        QCOMPARE(count(strip, [](QRgb c) { return c != Navy && c != Black; }), 0);
        const double black = count(strip, [](QRgb c) { return c == Black; }) / double(56 * 54);
        QVERIFY2(black > 0.15 && black < 0.6, qPrintable(QString::number(black)));
    }

    void aboutPictureShowsMoonAndCorridor()
    {
        const QImage picture = ui::pictures::aboutPicture();
        QCOMPARE(picture.size(), QSize(354, 355));
        // A full moon about 58 px across, high on the right.
        QRect moon;
        for (int y = 0; y < picture.height(); ++y)
            for (int x = 0; x < picture.width(); ++x)
                if (at(picture, x, y) == Yellow)
                    moon |= QRect(x, y, 1, 1);
        QVERIFY2(std::abs(moon.width() - 58) <= 2 && std::abs(moon.height() - 58) <= 2,
                 qPrintable(QStringLiteral("%1 x %2").arg(moon.width()).arg(moon.height())));
        QVERIFY(moon.left() > 177 && moon.bottom() < 120);
        QCOMPARE(at(picture, 177, 20), Black);                   // sky
        QCOMPARE(at(picture, 177, 340), qRgb(0x00, 0x00, 0x7F)); // floor
        QCOMPARE(at(picture, 10, 177), qRgb(0x7F, 0x7F, 0x7F));  // near wall on the left
        QCOMPARE(at(picture, 344, 177), qRgb(0x7F, 0x7F, 0x7F)); // and on the right
        QCOMPARE(at(picture, 177, 177), Black);                  // the far end is dark
    }

    void helpLogoSpellsNameInThreeColours()
    {
        const QImage logo = ui::pictures::helpLogo();
        QCOMPARE(logo.size(), QSize(44, 53));
        QCOMPARE(at(logo, 0, 0), Black);
        QCOMPARE(at(logo, 43, 52), Black);
        // The big "V" and small "e" above, the yellow capitals below.
        QRect violet, pink, yellow;
        for (int y = 0; y < logo.height(); ++y) {
            for (int x = 0; x < logo.width(); ++x) {
                const QRgb c = at(logo, x, y);
                const QRect px(x, y, 1, 1);
                violet |= c == qRgb(0x40, 0x00, 0xFF) ? px : QRect();
                pink |= c == qRgb(0xFF, 0x00, 0x80) ? px : QRect();
                yellow |= c == Yellow ? px : QRect();
            }
        }
        QVERIFY(!violet.isEmpty() && !pink.isEmpty() && !yellow.isEmpty());
        QVERIFY(violet.height() > pink.height());
        QVERIFY(violet.center().x() < pink.center().x());
        QVERIFY(violet.bottom() < yellow.top() && pink.bottom() < yellow.top());
        QVERIFY(yellow.width() > 30);  // four letters across the width
    }
};

QTEST_MAIN(TestPictures)
#include "test_pictures.moc"
