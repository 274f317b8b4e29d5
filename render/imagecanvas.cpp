#include "imagecanvas.h"

#include <QPainter>
#include <QPainterPath>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <vector>

namespace render {

QRgb toRgb(Colour colour)
{
    const auto bits = static_cast<std::uint32_t>(colour);
    return qRgb(bits & 0xFF, (bits >> 8) & 0xFF, (bits >> 16) & 0xFF);
}

namespace {

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

void ImageCanvas::span(int y, int x1, int x2, QRgb rgb, PenMode mode)
{
    if (y < 0 || y >= m_image.height())
        return;
    x1 = std::max(x1, 0);
    x2 = std::min(x2, m_image.width() - 1);
    if (x1 > x2)
        return;
    auto* row = reinterpret_cast<QRgb*>(m_image.scanLine(y));
    if (mode == PenMode::Copy) {
        std::fill(row + x1, row + x2 + 1, rgb);
        return;
    }
    for (int x = x1; x <= x2; ++x)
        put(row[x], rgb, mode);
}

void ImageCanvas::plot(int x, int y, QRgb rgb, PenMode mode)
{
    if (x >= 0 && y >= 0 && x < m_image.width() && y < m_image.height())
        put(reinterpret_cast<QRgb*>(m_image.scanLine(y))[x], rgb, mode);
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
    for (int y = std::max(outerTop, 0); y <= std::min(outerBottom, m_image.height() - 1); ++y) {
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
    int top = m_image.height(), bottom = -1;
    for (const Point& p : points) {
        top = std::min(top, p.y);
        bottom = std::max(bottom, p.y);
    }
    top = std::max(top, 0);
    bottom = std::min(bottom, m_image.height() - 1);
    std::vector<double> crossings;
    for (int y = top; y <= bottom; ++y) {
        const double sampleY = y + 0.5;
        crossings.clear();
        for (std::size_t i = 0; i < points.size(); ++i) {
            const Point a = points[i];
            const Point b = points[(i + 1) % points.size()];
            if ((a.y <= sampleY) == (b.y <= sampleY))
                continue;
            crossings.push_back(a.x + (sampleY - a.y) * (b.x - a.x) / double(b.y - a.y));
        }
        std::sort(crossings.begin(), crossings.end());
        // Pixel x is inside when its centre x + 0.5 lies between a pair.
        for (std::size_t i = 0; i + 1 < crossings.size(); i += 2) {
            const int from = int(std::ceil(crossings[i] - 0.5));
            const int to = int(std::ceil(crossings[i + 1] - 0.5)) - 1;
            span(y, from, to, rgb, mode);
        }
    }
}

void ImageCanvas::polygon(std::span<const Point> points)
{
    if (points.size() < 2)
        return;
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
