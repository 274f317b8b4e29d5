// The canvas on a Bitmap. Every shape is rasterised here, pixel by pixel,
// so that its edges follow the convention in canvas.h exactly and a not-xor
// drawing paints each pixel once.
#pragma once

#include "bitmap.h"
#include "canvas.h"

#include <utility>
#include <vector>

namespace render {

class ImageCanvas final : public Canvas {
public:
    explicit ImageCanvas(Bitmap& bitmap) : m_bitmap(bitmap) {}

    Bitmap& bitmap() { return m_bitmap; }

    void rectangle(int x1, int y1, int x2, int y2) override;
    void ellipse(int x1, int y1, int x2, int y2) override;
    void polygon(std::span<const Point> points) override;
    void polyline(std::span<const Point> points) override;
    using Canvas::polygon;
    using Canvas::polyline;

protected:
    void line(Point from, Point to) override;

private:
    void span(int y, int x1, int x2, Pixel pixel, PenMode mode);  // columns x1..x2
    void block(int left, int top, int right, int bottom, Pixel pixel, PenMode mode);  // inclusive
    void plot(int x, int y, Pixel pixel, PenMode mode);
    void thinLine(Point from, Point to, Pixel pixel, PenMode mode);
    void wideSlantedLine(Point from, Point to, int width, Pixel pixel, PenMode mode);
    std::pair<int, int> rowsOf(std::span<const Point> points) const;  // clipped top and bottom row
    void fillPolygon(std::span<const Point> points, Pixel pixel, PenMode mode);
    void fillPolygonEvenOdd(std::span<const Point> points, Pixel pixel, PenMode mode);
    void notXorPolyline(std::span<const Point> points);

    Bitmap& m_bitmap;
    std::vector<int> m_left, m_right;  // a convex polygon's span per row
};

} // namespace render
