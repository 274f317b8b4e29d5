// The pixel-edge convention of the canvas on a bitmap, which every picture
// of the game relies on.
#include "render/framecanvas.h"
#include "render/imagecanvas.h"
#include "pixels.h"

#include <gtest/gtest.h>

#include <random>

using namespace render;

namespace {

struct Surface {
    Bitmap image{40, 40, 0xFFFFFF};
    ImageCanvas canvas{image};
    bool painted(int x, int y) const { return image.pixel(x, y) != rgb(255, 255, 255); }
    int count() const
    {
        int n = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                n += painted(x, y);
        return n;
    }
};

// Whether a point lies inside a polygon by the even-odd rule.
bool inside(const std::vector<Point>& polygon, double x, double y)
{
    bool in = false;
    for (std::size_t i = 0, j = polygon.size() - 1; i < polygon.size(); j = i++) {
        const Point a = polygon[i], b = polygon[j];
        if ((a.y > y) != (b.y > y) && x < a.x + (y - a.y) * double(b.x - a.x) / double(b.y - a.y))
            in = !in;
    }
    return in;
}

} // namespace

TEST(Canvas, RectanglesCoverTheHalfOpenBoxWithTheRingInside)
{
    Surface s;
    s.canvas.setPenColour(0x0000FF);
    s.canvas.setBrush(0x00FF00);
    s.canvas.rectangle(5, 6, 15, 10);
    EXPECT_EQ(s.count(), 10 * 4);
    EXPECT_EQ(s.image.pixel(5, 6), rgb(255, 0, 0));    // ring, top left
    EXPECT_EQ(s.image.pixel(14, 9), rgb(255, 0, 0));   // ring, bottom right
    EXPECT_EQ(s.image.pixel(6, 7), rgb(0, 255, 0));    // inside
    EXPECT_FALSE(s.painted(15, 8));
    EXPECT_FALSE(s.painted(8, 10));

    // Corners given the other way round draw the same box.
    Surface swapped;
    swapped.canvas.setPenColour(0x0000FF);
    swapped.canvas.setBrush(0x00FF00);
    swapped.canvas.rectangle(15, 10, 5, 6);
    EXPECT_EQ(swapped.image, s.image);
}

TEST(Canvas, NotXorPaintsEachPixelOnceAndASecondDrawRestores)
{
    Surface s;
    s.canvas.setPenColour(0x000000);
    s.canvas.setPenWidth(4);
    s.canvas.moveTo(6, 6);
    s.canvas.lineTo(6, 18);  // a trail across part of the flash
    const Bitmap before = s.image;
    s.canvas.setPenMode(PenMode::NotXor);
    s.canvas.setPenColour(0x00FF00);
    s.canvas.setBrush(0x0000FF);
    s.canvas.rectangle(6, 6, 8, 8);  // the map's flash: a 5 x 5 square
    EXPECT_EQ(s.image.pixel(7, 7), rgb(255, 0, 255)) << "lime over black shows magenta";
    EXPECT_EQ(s.image.pixel(8, 4), rgb(0, 255, 0)) << "lime over white stays lime";
    s.canvas.rectangle(6, 6, 8, 8);
    EXPECT_EQ(s.image, before);
}

TEST(Canvas, ANotXorPolylinePaintsItsJointsOnce)
{
    // The map's waterway pen, with a slanted leg as well.
    const std::initializer_list<Point> line = {{6, 6}, {6, 18}, {18, 18}, {18, 6}, {30, 30}, {34, 30}};
    Surface copied;
    copied.canvas.setPenWidth(4);
    copied.canvas.setPenColour(0x00FF00);
    copied.canvas.polyline(line);

    Surface s;
    s.canvas.setPenWidth(4);
    s.canvas.setPenColour(0x00FF00);
    s.canvas.setPenMode(PenMode::NotXor);
    s.canvas.polyline(line);
    EXPECT_EQ(s.image, copied.image) << "lime over white stays lime, joints included";
    s.canvas.polyline(line);
    EXPECT_EQ(s.count(), 0);
}

TEST(Canvas, LinesLeaveTheirEndPointAndWideLinesCoverWholeCells)
{
    Surface s;
    s.canvas.setPenColour(0);
    s.canvas.moveTo(2, 2);
    s.canvas.lineTo(12, 7);
    EXPECT_TRUE(s.painted(2, 2));
    EXPECT_FALSE(s.painted(12, 7));
    EXPECT_EQ(s.count(), 10);

    Surface map;
    map.canvas.setPenColour(0);
    map.canvas.setPenWidth(4);
    map.canvas.moveTo(10, 6);  // centres of two cells 4 pixels apart
    map.canvas.lineTo(14, 6);
    EXPECT_EQ(map.count(), 8 * 4);
    EXPECT_TRUE(map.painted(8, 4) && map.painted(15, 7));
    EXPECT_FALSE(map.painted(16, 6) || map.painted(10, 8));
}

TEST(Canvas, PolygonsFillPixelsWhoseCentresLieInside)
{
    std::mt19937 random(12345);
    for (int round = 0; round < 300; ++round) {
        std::vector<Point> polygon;
        const int corners = 3 + round % 4;
        for (int i = 0; i < corners; ++i)
            polygon.push_back({int(random() % 50) - 5, int(random() % 50) - 5});
        Surface s;
        s.canvas.setPenColour(0x00FF00);  // outline green
        s.canvas.setBrush(0x0000FF);      // fill red
        s.canvas.polygon(polygon);
        for (int y = 0; y < 40; ++y)
            for (int x = 0; x < 40; ++x) {
                const Pixel pixel = s.image.pixel(x, y);
                if (pixel == rgb(0, 255, 0))
                    continue;  // the outline covers the fill's edge
                ASSERT_EQ(pixel == rgb(255, 0, 0), inside(polygon, x + 0.5, y + 0.5))
                    << "round " << round << " pixel " << x << "," << y;
            }
    }
}

TEST(Canvas, ColoursShowTheirLow24Bits)
{
    Surface s;
    s.canvas.setPenColour(0x3E80000);  // the sky at 300 seconds
    s.canvas.setBrush(0x3E80000);
    s.canvas.rectangle(0, 0, 2, 2);
    EXPECT_EQ(s.image.pixel(1, 1), rgb(0, 0, 0xE8));
    s.canvas.setPenColour(-655360);  // a sky colour from a negative count
    s.canvas.setBrush(-655360);
    s.canvas.rectangle(0, 0, 2, 2);
    EXPECT_EQ(s.image.pixel(1, 1), pixelOf(Colour(-655360) & 0xFFFFFF));
    EXPECT_EQ(pixelOf(0x756475), rgb(0x75, 0x64, 0x75));
    EXPECT_EQ(pixelOf(0x800000), rgb(0, 0, 0x80)) << "0x00BBGGRR: navy";
}

TEST(Canvas, EverythingIsClippedToTheSurface)
{
    Surface s;
    s.canvas.setPenColour(0);
    s.canvas.setBrush(0);
    s.canvas.rectangle(-100, -100, 500, 3);
    s.canvas.polygon({{-50, 30}, {90, 30}, {90, 90}});
    s.canvas.moveTo(-20, 39);
    s.canvas.lineTo(80, 39);
    s.canvas.setPenWidth(4);
    s.canvas.polyline({{-10, 20}, {60, 20}});
    s.canvas.ellipse(30, 30, 80, 80);
    EXPECT_TRUE(s.painted(0, 0) && s.painted(39, 2) && s.painted(39, 39));
    EXPECT_FALSE(s.painted(20, 10));
}

// A frame with the calls of the one before leaves the bitmap alone, unless
// something was drawn on it in between.
TEST(Frame, TheSameFrameIsSkippedOnlyWhileTheBitmapStillHoldsIt)
{
    Bitmap image(8, 8, 0x000000);
    FrameCanvas frameCanvas{image};
    ImageCanvas otherHands{image};
    auto fill = [&](Canvas& canvas, Colour colour) {
        canvas.setPenColour(colour);
        canvas.setBrush(colour);
        canvas.rectangle(0, 0, 8, 8);
    };
    auto frame = [&] {
        fill(frameCanvas.beginFrame(), 0x0000FF);
        return frameCanvas.endFrame();
    };
    EXPECT_TRUE(frame());
    EXPECT_FALSE(frame());
    fill(otherHands, 0x00FF00);  // outside a frame, straight onto the bitmap
    EXPECT_TRUE(frame());
    EXPECT_EQ(image.pixel(4, 4), pixelOf(0x0000FF));
}
