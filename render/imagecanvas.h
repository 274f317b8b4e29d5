// The canvas on a QImage (32-bit RGB). Spans, rectangles, polygons and
// lines are rasterised here directly, pixel by pixel, so that the edges
// follow the convention in canvas.h exactly and a not-xor drawing paints
// each pixel once; only ellipses and slanted wide lines go through QPainter.
#pragma once

#include "canvas.h"

#include <QImage>

#include <algorithm>
#include <cwchar>
#include <utility>
#include <vector>

namespace render {

QRgb toRgb(Colour colour);

inline void put(QRgb& pixel, QRgb rgb, PenMode mode)
{
    pixel = mode == PenMode::Copy ? rgb : (0xFF000000u | (~(rgb ^ pixel) & 0x00FFFFFFu));
}

// count pixels from first on, in the given mode.
inline void fillRun(QRgb* first, int count, QRgb rgb, PenMode mode)
{
    if (mode == PenMode::NotXor) {
        for (int i = 0; i < count; ++i)
            put(first[i], rgb, mode);
    } else if (count <= 8) {
        std::fill_n(first, count, rgb);
    } else {
        // The C library's wide-character fill is vectorised; a plain loop
        // over 32-bit pixels is not at the usual optimisation level.
        static_assert(sizeof(wchar_t) == sizeof(QRgb));
        std::wmemset(reinterpret_cast<wchar_t*>(first), wchar_t(rgb), std::size_t(count));
    }
}

class ImageCanvas final : public Canvas {
public:
    explicit ImageCanvas(QImage& image) : m_image(image) {}

    QImage& image() { return m_image; }

    void rectangle(int x1, int y1, int x2, int y2) override;
    void ellipse(int x1, int y1, int x2, int y2) override;
    void polygon(std::span<const Point> points) override;
    void polyline(std::span<const Point> points) override;
    using Canvas::polygon;
    using Canvas::polyline;

protected:
    void line(Point from, Point to) override;

private:
    void begin();  // takes hold of the pixels for one operation
    void span(int y, int x1, int x2, QRgb rgb, PenMode mode);  // columns x1..x2
    void block(int left, int top, int right, int bottom, QRgb rgb, PenMode mode);  // inclusive
    void plot(int x, int y, QRgb rgb, PenMode mode);
    void thinLine(Point from, Point to, QRgb rgb, PenMode mode);
    std::pair<int, int> rowsOf(std::span<const Point> points) const;  // clipped top and bottom row
    void fillPolygon(std::span<const Point> points, QRgb rgb, PenMode mode);
    void fillPolygonEvenOdd(std::span<const Point> points, QRgb rgb, PenMode mode);
    void notXorPolyline(std::span<const Point> points);

    QImage& m_image;
    QRgb* m_bits = nullptr;
    int m_stride = 0;
    int m_width = 0;
    int m_height = 0;
    std::vector<int> m_left, m_right;  // a convex polygon's span per row
};

} // namespace render
