#include "imagecanvas.h"

#include <QPainter>
#include <QPainterPath>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cwchar>
#include <vector>

namespace render {

QRgb toRgb(Colour colour)
{
    const auto bits = static_cast<std::uint32_t>(colour);
    return qRgb(bits & 0xFF, (bits >> 8) & 0xFF, (bits >> 16) & 0xFF);
}

namespace {

// Ceiling without the library call, which is slow on plain x86-64.
inline int ceiling(double v)
{
    const int i = int(v);
    return i + (v > i ? 1 : 0);
}

inline void put(QRgb& pixel, QRgb rgb, PenMode mode)
{
    pixel = mode == PenMode::Copy ? rgb : (0xFF000000u | (~(rgb ^ pixel) & 0x00FFFFFFu));
}

QPainter::CompositionMode compositionFor(PenMode mode)
{
    return mode == PenMode::Copy ? QPainter::CompositionMode_Source
                                 : QPainter::RasterOp_NotSourceXorDestination;
}

} // namespace

void ImageCanvas::begin()
{
    m_bits = reinterpret_cast<QRgb*>(m_image.bits());  // one detach per operation, not per row
    m_stride = m_image.bytesPerLine() / int(sizeof(QRgb));
    m_width = m_image.width();
    m_height = m_image.height();
}

void ImageCanvas::span(int y, int x1, int x2, QRgb rgb, PenMode mode)
{
    if (y < 0 || y >= m_height)
        return;
    x1 = std::max(x1, 0);
    x2 = std::min(x2, m_width - 1);
    if (x1 > x2)
        return;
    QRgb* row = m_bits + std::ptrdiff_t(y) * m_stride;
    if (mode == PenMode::Copy) {
        // The C library's wide-character fill is vectorised; a plain loop
        // over 32-bit pixels is not at the usual optimisation level.
        static_assert(sizeof(wchar_t) == sizeof(QRgb));
        std::wmemset(reinterpret_cast<wchar_t*>(row + x1), wchar_t(rgb), std::size_t(x2 - x1 + 1));
        return;
    }
    for (int x = x1; x <= x2; ++x)
        put(row[x], rgb, mode);
}

void ImageCanvas::plot(int x, int y, QRgb rgb, PenMode mode)
{
    if (x >= 0 && y >= 0 && x < m_width && y < m_height)
        put(m_bits[std::ptrdiff_t(y) * m_stride + x], rgb, mode);
}

void ImageCanvas::rectangle(int x1, int y1, int x2, int y2)
{
    if (x1 > x2)
        std::swap(x1, x2);
    if (y1 > y2)
        std::swap(y1, y2);
    const int w = std::max(pen().width, 1);
    // The ring of the pen and the brush inside it; inclusive bounds.
    const int outerLeft = x1 - w / 2, outerRight = x2 - 1 + (w - 1) / 2;
    const int outerTop = y1 - w / 2, outerBottom = y2 - 1 + (w - 1) / 2;
    const int innerLeft = outerLeft + w, innerRight = outerRight - w;
    const int innerTop = outerTop + w, innerBottom = outerBottom - w;
    const QRgb penRgb = toRgb(pen().colour), brushRgb = toRgb(brush());
    const PenMode mode = pen().mode;
    begin();
    for (int y = std::max(outerTop, 0); y <= std::min(outerBottom, m_height - 1); ++y) {
        if (y < innerTop || y > innerBottom || innerLeft > innerRight) {
            span(y, outerLeft, outerRight, penRgb, mode);
            continue;
        }
        span(y, outerLeft, innerLeft - 1, penRgb, mode);
        span(y, innerLeft, innerRight, brushRgb, mode);
        span(y, innerRight + 1, outerRight, penRgb, mode);
    }
}

void ImageCanvas::ellipse(int x1, int y1, int x2, int y2)
{
    if (x1 > x2)
        std::swap(x1, x2);
    if (y1 > y2)
        std::swap(y1, y2);
    if (x2 - x1 < 1 || y2 - y1 < 1)
        return;
    QPainter painter(&m_image);
    painter.setCompositionMode(compositionFor(pen().mode));
    QPen qpen(QColor(toRgb(pen().colour)));
    qpen.setWidth(std::max(pen().width, 1));
    painter.setPen(qpen);
    painter.setBrush(QColor(toRgb(brush())));
    // Qt's aliased ellipse in a w-1 by h-1 box covers exactly the w by h
    // pixels of the half-open box.
    painter.drawEllipse(QRect(x1, y1, x2 - x1 - 1, y2 - y1 - 1));
}

void ImageCanvas::fillPolygon(std::span<const Point> points, QRgb rgb, PenMode mode)
{
    // The non-horizontal edges, each with its rows and its slope.
    struct Edge {
        double top, bottom, x, slope;  // x at y = top
    };
    constexpr std::size_t Inline = 16;  // the game's polygons have four corners
    Edge inlineEdges[Inline];
    double inlineCrossings[Inline];
    std::vector<Edge> moreEdges;
    std::vector<double> moreCrossings;
    Edge* edges = inlineEdges;
    double* crossings = inlineCrossings;
    if (points.size() > Inline) {
        moreEdges.resize(points.size());
        moreCrossings.resize(points.size());
        edges = moreEdges.data();
        crossings = moreCrossings.data();
    }
    std::size_t count = 0;
    int top = m_height, bottom = -1;
    for (std::size_t i = 0; i < points.size(); ++i) {
        Point a = points[i], b = points[(i + 1) % points.size()];
        top = std::min(top, a.y);
        bottom = std::max(bottom, a.y);
        if (a.y == b.y)
            continue;
        if (a.y > b.y)
            std::swap(a, b);
        edges[count++] = {double(a.y), double(b.y), double(a.x), double(b.x - a.x) / double(b.y - a.y)};
    }
    top = std::max(top, 0);
    bottom = std::min(bottom, m_height - 1);
    for (int y = top; y <= bottom; ++y) {
        const double sampleY = y + 0.5;
        std::size_t n = 0;
        for (std::size_t i = 0; i < count; ++i) {
            const Edge& e = edges[i];
            if (sampleY >= e.top && sampleY < e.bottom)
                crossings[n++] = e.x + (sampleY - e.top) * e.slope;
        }
        std::sort(crossings, crossings + n);
        // Pixel x is inside when its centre x + 0.5 lies between a pair.
        for (std::size_t i = 0; i + 1 < n; i += 2) {
            const int from = ceiling(crossings[i] - 0.5);
            const int to = ceiling(crossings[i + 1] - 0.5) - 1;
            span(y, from, to, rgb, mode);
        }
    }
}

void ImageCanvas::polygon(std::span<const Point> points)
{
    if (points.size() < 2)
        return;
    begin();
    fillPolygon(points, toRgb(brush()), pen().mode);
    for (std::size_t i = 0; i < points.size(); ++i)
        line(points[i], points[(i + 1) % points.size()]);
}

void ImageCanvas::polyline(std::span<const Point> points)
{
    for (std::size_t i = 1; i < points.size(); ++i)
        line(points[i - 1], points[i]);
    if (!points.empty())
        moveTo(points.back().x, points.back().y);
}

void ImageCanvas::thinLine(Point from, Point to, QRgb rgb, PenMode mode)
{
    if (from == to)
        return;
    if (from.y == to.y) {  // the floor grid and many outlines run straight
        span(from.y, from.x < to.x ? from.x : to.x + 1, from.x < to.x ? to.x - 1 : from.x, rgb, mode);
        return;
    }
    if (from.x == to.x) {
        if (from.x < 0 || from.x >= m_width)
            return;
        const int first = std::max(from.y < to.y ? from.y : to.y + 1, 0);
        const int last = std::min(from.y < to.y ? to.y - 1 : from.y, m_height - 1);
        for (int y = first; y <= last; ++y)
            put(m_bits[std::ptrdiff_t(y) * m_stride + from.x], rgb, mode);
        return;
    }
    // Bresenham, end point excluded.
    const int dx = std::abs(to.x - from.x), dy = -std::abs(to.y - from.y);
    const int sx = from.x < to.x ? 1 : -1, sy = from.y < to.y ? 1 : -1;
    int error = dx + dy;
    int x = from.x, y = from.y;
    while (x != to.x || y != to.y) {
        plot(x, y, rgb, mode);
        const int twice = 2 * error;
        if (twice >= dy) {
            error += dy;
            x += sx;
        }
        if (twice <= dx) {
            error += dx;
            y += sy;
        }
    }
}

void ImageCanvas::line(Point from, Point to)
{
    const QRgb rgb = toRgb(pen().colour);
    const PenMode mode = pen().mode;
    const int w = std::max(pen().width, 1);
    begin();
    if (w == 1) {
        thinLine(from, to, rgb, mode);
        return;
    }
    if (from.x == to.x || from.y == to.y) {
        const int left = std::min(from.x, to.x) - w / 2, right = std::max(from.x, to.x) + (w - 1) / 2;
        const int top = std::min(from.y, to.y) - w / 2, bottom = std::max(from.y, to.y) + (w - 1) / 2;
        for (int y = top; y <= bottom; ++y)
            span(y, left, right, rgb, mode);
        return;
    }
    QPainter painter(&m_image);
    painter.setCompositionMode(compositionFor(mode));
    painter.setPen(QPen(QColor(rgb), w, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.drawLine(from.x, from.y, to.x, to.y);
}

} // namespace render
