// The game's own ellipses and wide slanted lines against the toolkit's,
// which drew them before: over every view a player can have and over the
// map's paths, the pictures may differ only on the edges of an ellipse.
#include "render/framecanvas.h"
#include "render/imagecanvas.h"
#include "render/make3d.h"
#include "nullhost.h"

#include <QImage>
#include <QPainter>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <random>

using namespace render;

namespace {

// The canvas as it was: everything the game's own, but for ellipses and
// wide slanted lines, which QPainter drew.
class ReferenceCanvas final : public Canvas {
public:
    explicit ReferenceCanvas(Bitmap& bitmap)
        : m_own(bitmap),
          m_image(reinterpret_cast<uchar*>(bitmap.row(0)), bitmap.width(), bitmap.height(), bitmap.bytesPerLine(),
                  QImage::Format_RGBX8888)
    {
    }

    void rectangle(int x1, int y1, int x2, int y2) override { own().rectangle(x1, y1, x2, y2); }
    void polygon(std::span<const Point> points) override { own().polygon(points); }
    void polyline(std::span<const Point> points) override
    {
        for (std::size_t i = 1; i < points.size(); ++i)
            line(points[i - 1], points[i]);
        if (!points.empty())
            moveTo(points.back().x, points.back().y);
    }
    void ellipse(int x1, int y1, int x2, int y2) override
    {
        if (x2 - x1 < 1 || y2 - y1 < 1)
            return;
        QPainter painter(&m_image);
        painter.setCompositionMode(composition());
        QPen qpen(colour(pen().colour));
        qpen.setWidth(std::max(pen().width, 1));
        painter.setPen(qpen);
        painter.setBrush(colour(brush()));
        painter.drawEllipse(QRect(x1, y1, x2 - x1 - 1, y2 - y1 - 1));
    }
    using Canvas::polygon;
    using Canvas::polyline;

protected:
    void line(Point from, Point to) override
    {
        if (pen().width <= 1 || from.x == to.x || from.y == to.y) {
            own().moveTo(from.x, from.y);
            own().lineTo(to.x, to.y);
            return;
        }
        QPainter painter(&m_image);
        painter.setCompositionMode(composition());
        painter.setPen(QPen(colour(pen().colour), pen().width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        painter.drawLine(from.x, from.y, to.x, to.y);
    }

private:
    static QColor colour(Colour c)
    {
        const Pixel p = pixelOf(c);
        return QColor(int(p & 0xFF), int(p >> 8 & 0xFF), int(p >> 16 & 0xFF));
    }
    ImageCanvas& own()
    {
        m_own.setPenColour(pen().colour);
        m_own.setPenWidth(pen().width);
        m_own.setPenMode(pen().mode);
        m_own.setBrush(brush());
        return m_own;
    }
    QPainter::CompositionMode composition() const
    {
        return pen().mode == PenMode::Copy ? QPainter::CompositionMode_Source
                                           : QPainter::RasterOp_NotSourceXorDestination;
    }

    ImageCanvas m_own;
    QImage m_image;
};

// Whether pixel (x, y) lies on the edge of the ellipse in the half-open box:
// within two pixels of both a pixel centre inside it and one outside.
bool onEllipseEdge(Point a, Point b, int x, int y)
{
    const auto inside = [&](int px, int py) {
        const double cx = (a.x + b.x) / 2.0, cy = (a.y + b.y) / 2.0;
        const double rx = (b.x - a.x) / 2.0, ry = (b.y - a.y) / 2.0;
        const double dx = (px + 0.5 - cx) / rx, dy = (py + 0.5 - cy) / ry;
        return dx * dx + dy * dy <= 1;
    };
    bool in = false, out = false;
    for (int dy = -2; dy <= 2; ++dy)
        for (int dx = -2; dx <= 2; ++dx)
            (inside(x + dx, y + dy) ? in : out) = true;
    return in && out;
}

} // namespace

TEST(Reference, EveryViewDiffersFromTheToolkitsDrawingOnlyOnEllipseEdges)
{
    NullHost host;
    game::Game game{host};
    DrawList map;  // the shrine's marks, not looked at here
    OverviewMap overview{map};
    Bitmap own(SceneSize, SceneSize), reference(SceneSize, SceneSize);
    FrameCanvas frame{own};
    ReferenceCanvas referenceCanvas{reference};
    DrawList calls;

    int frames = 0, framesDiffering = 0, most = 0;
    auto compare = [&](int row, int column, int heading, int seconds) {
        game.setCountdownTo(seconds);
        calls.clear();
        Make3D({game, overview}, row, column, heading, calls);
        calls.drawOn(frame.beginFrame());
        frame.endFrame();
        calls.drawOn(referenceCanvas);
        ++frames;
        if (own == reference)
            return true;
        int differing = 0;
        for (int y = 0; y < SceneSize; ++y)
            for (int x = 0; x < SceneSize; ++x) {
                if (own.pixel(x, y) == reference.pixel(x, y))
                    continue;
                ++differing;
                const auto& all = calls.calls();
                if (std::none_of(all.begin(), all.end(), [&](const DrawCall& call) {
                        return call.kind == DrawCall::Kind::Ellipse &&
                               onEllipseEdge(calls.points(call)[0], calls.points(call)[1], x, y);
                    }))
                    return false;
            }
        ++framesDiffering;
        most = std::max(most, differing);
        return true;
    };
    for (int maze = 0; maze < game::MazeCount; ++maze) {
        game.chooseMaze(maze);
        game.Button3Click();
        for (int row = 0; row < game::MazeSize; ++row)
            for (int column = 0; column < game::MazeSize; ++column)
                for (int heading = 0; heading < 4 && !game::IsWall(maze, row, column); ++heading)
                    for (const int seconds : {300, 100, 40})
                        ASSERT_TRUE(compare(row, column, heading, seconds))
                            << "maze " << maze << " at " << row << "," << column << " heading " << heading << ", "
                            << seconds << " s";
        // The sun on its way down, at every count it shows.
        for (int seconds = 235; seconds <= 300; ++seconds)
            ASSERT_TRUE(compare(28, 28, 3, seconds)) << "maze " << maze << ", the sun at " << seconds << " s";
    }
    EXPECT_TRUE(compare(1, 1, 1, 100)) << "the goal";
    EXPECT_TRUE(compare(15, 15, 0, 0)) << "the time-out";
    EXPECT_GT(frames, 63048);
    std::printf("%d frames, %d differing from the toolkit's, at most %d pixels\n", frames, framesDiffering, most);
    EXPECT_LE(most, 8);
}

// The map's paths are the waterways' wide polylines and the steps between
// cell centres: all of them run along an axis, where the game always drew
// itself, so nothing changes.
TEST(Reference, TheMapsPathsAreTheToolkitsPixelForPixel)
{
    std::mt19937 random(7);
    for (int maze = 0; maze < game::MazeCount; ++maze) {
        DrawList calls;
        OverviewMap map{calls};
        map.clear();
        map.drawWaterwayLines(maze);
        map.forwardReleased();
        game::Cell at{28, 28};
        for (int step = 0; step < 2000; ++step) {
            const game::Cell next = game::stepFrom(at.row, at.column, int(random() % 4));
            if (!game::onGrid(next.row, next.column) || game::IsWall(maze, next.row, next.column))
                continue;
            map.drawStep(at, next);
            at = next;
        }
        map.probePressed(at.row, at.column);
        Bitmap own(MapSize, MapSize), reference(MapSize, MapSize);
        ImageCanvas ownCanvas{own};
        ReferenceCanvas referenceCanvas{reference};
        calls.drawOn(ownCanvas);
        calls.drawOn(referenceCanvas);
        EXPECT_TRUE(own == reference) << "maze " << maze;
    }
}
