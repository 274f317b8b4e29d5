#include "imagecanvas.h"

#include <QPainter>

#include <algorithm>
#include <cstdlib>
#include <cwchar>
#include <limits>
#include <vector>

namespace render {

QRgb toRgb(Colour colour)
{
    const auto bits = static_cast<std::uint32_t>(colour);
    return qRgb(bits & 0xFF, (bits >> 8) & 0xFF, (bits >> 16) & 0xFF);
}

namespace {

// Walks an edge from a to b (a above b) row by row, giving on each row the
// first pixel whose centre lies on or right of it: the ceiling of
// (2 a.x dy + (2y + 1 - 2 a.y) dx - dy) / 2dy, kept as a quotient and a
// remainder stepped by 2dx a row, in integers so that a centre exactly on
// the edge is decided the same way every time.
class EdgeWalker {
public:
    EdgeWalker(Point a, Point b, int y) : m_denominator(2LL * (b.y - a.y))
    {
        const long long dx = b.x - a.x, dy = b.y - a.y;
        const long long numerator = 2 * a.x * dy + (2LL * y + 1 - 2LL * a.y) * dx - dy;
        m_pixel = numerator / m_denominator;
        m_rest = numerator % m_denominator;
        if (m_rest > 0) {  // the ceiling of the division
            ++m_pixel;
            m_rest -= m_denominator;
        }
        m_stepPixels = 2 * dx / m_denominator;
        m_stepRest = 2 * dx % m_denominator;
    }
    int pixel() const { return int(m_pixel); }
    void nextRow()
    {
        m_pixel += m_stepPixels;
        m_rest += m_stepRest;
        if (m_rest > 0) {
            ++m_pixel;
            m_rest -= m_denominator;
        } else if (m_rest <= -m_denominator) {
            --m_pixel;
            m_rest += m_denominator;
        }
    }

private:
    long long m_denominator, m_pixel = 0, m_rest = 0, m_stepPixels = 0, m_stepRest = 0;
};

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
    fillRun(m_bits + std::ptrdiff_t(y) * m_stride + x1, x2 - x1 + 1, rgb, mode);
}

void ImageCanvas::block(int left, int top, int right, int bottom, QRgb rgb, PenMode mode)
{
    left = std::max(left, 0);
    right = std::min(right, m_width - 1);
    top = std::max(top, 0);
    bottom = std::min(bottom, m_height - 1);
    if (left > right || top > bottom)
        return;
    if (left == 0 && right == m_width - 1 && m_stride == m_width) {  // whole rows lie end to end
        fillRun(m_bits + std::ptrdiff_t(top) * m_stride, (bottom - top + 1) * m_width, rgb, mode);
        return;
    }
    for (int y = top; y <= bottom; ++y)
        fillRun(m_bits + std::ptrdiff_t(y) * m_stride + left, right - left + 1, rgb, mode);
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
    if (innerLeft > innerRight || innerTop > innerBottom) {  // all ring
        block(outerLeft, outerTop, outerRight, outerBottom, penRgb, mode);
        return;
    }
    if (penRgb == brushRgb && mode == PenMode::Copy) {  // one colour: one fill
        block(outerLeft, outerTop, outerRight, outerBottom, penRgb, mode);
        return;
    }
    block(outerLeft, outerTop, outerRight, innerTop - 1, penRgb, mode);
    if (w == 1 && mode == PenMode::Copy) {
        // The common case, the corridor's outlined faces: one pass a row.
        const int top = std::max(innerTop, 0), bottom = std::min(innerBottom, m_height - 1);
        const int left = std::max(innerLeft, 0), right = std::min(innerRight, m_width - 1);
        const bool leftEdge = outerLeft >= 0 && outerLeft < m_width;
        const bool rightEdge = outerRight >= 0 && outerRight < m_width;
        for (int y = top; y <= bottom; ++y) {
            QRgb* row = m_bits + std::ptrdiff_t(y) * m_stride;
            if (leftEdge)
                row[outerLeft] = penRgb;
            if (left <= right)
                fillRun(row + left, right - left + 1, brushRgb, mode);
            if (rightEdge)
                row[outerRight] = penRgb;
        }
    } else {
        block(outerLeft, innerTop, innerLeft - 1, innerBottom, penRgb, mode);
        block(innerLeft, innerTop, innerRight, innerBottom, brushRgb, mode);
        block(innerRight + 1, innerTop, outerRight, innerBottom, penRgb, mode);
    }
    block(outerLeft, innerBottom + 1, outerRight, outerBottom, penRgb, mode);
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

namespace {

// True when the polygon turns the same way at every corner and goes round
// once: its edges then head up and down just once each, so no star shape
// slips through.
bool convex(std::span<const Point> points)
{
    int sign = 0;
    const std::size_t n = points.size();
    int directions[64], count = 0;  // up or down, edge by edge
    for (std::size_t i = 0; i < n && count < 64; ++i) {
        const int dy = points[(i + 1) % n].y - points[i].y;
        if (dy != 0)
            directions[count++] = dy > 0 ? 1 : -1;
    }
    int turnsOfHeight = 0;
    for (int i = 0; i < count; ++i)
        turnsOfHeight += directions[i] != directions[(i + 1) % count];
    if (turnsOfHeight > 2 || n > 64)
        return false;
    for (std::size_t i = 0; i < n; ++i) {
        const Point a = points[i], b = points[(i + 1) % n], c = points[(i + 2) % n];
        const long long cross = (long long)(b.x - a.x) * (c.y - b.y) - (long long)(b.y - a.y) * (c.x - b.x);
        if (cross == 0)
            continue;
        if (sign != 0 && (cross > 0) != (sign > 0))
            return false;
        sign = cross > 0 ? 1 : -1;
    }
    return true;
}

} // namespace

std::pair<int, int> ImageCanvas::rowsOf(std::span<const Point> points) const
{
    int top = m_height, bottom = -1;
    for (const Point& p : points) {
        top = std::min(top, p.y);
        bottom = std::max(bottom, p.y);
    }
    return {std::max(top, 0), std::min(bottom, m_height - 1)};
}

void ImageCanvas::fillPolygon(std::span<const Point> points, QRgb rgb, PenMode mode)
{
    if (!convex(points)) {
        fillPolygonEvenOdd(points, rgb, mode);
        return;
    }
    // A convex polygon crosses each row once on each side: walk the edges
    // one by one, narrowing each row's span, then fill the rows.
    const auto [top, bottom] = rowsOf(points);
    if (top > bottom)
        return;
    const int rows = bottom - top + 1;
    m_left.assign(std::size_t(rows), std::numeric_limits<int>::max());
    m_right.assign(std::size_t(rows), std::numeric_limits<int>::min());
    for (std::size_t i = 0; i < points.size(); ++i) {
        Point a = points[i], b = points[(i + 1) % points.size()];
        if (a.y == b.y)
            continue;
        if (a.y > b.y)
            std::swap(a, b);
        const int first = std::max(a.y, top), last = std::min(b.y - 1, bottom);
        EdgeWalker edge(a, b, first);
        for (int y = first; y <= last; ++y, edge.nextRow()) {
            int& left = m_left[std::size_t(y - top)];
            int& right = m_right[std::size_t(y - top)];
            left = std::min(left, edge.pixel());
            right = std::max(right, edge.pixel() - 1);
        }
    }
    for (int row = 0; row < rows; ++row)
        if (m_left[std::size_t(row)] <= m_right[std::size_t(row)])
            span(top + row, m_left[std::size_t(row)], m_right[std::size_t(row)], rgb, mode);
}

void ImageCanvas::fillPolygonEvenOdd(std::span<const Point> points, QRgb rgb, PenMode mode)
{
    const auto [top, bottom] = rowsOf(points);
    std::vector<int> crossings;
    crossings.reserve(points.size());
    for (int y = top; y <= bottom; ++y) {
        crossings.clear();
        for (std::size_t i = 0; i < points.size(); ++i) {
            Point a = points[i], b = points[(i + 1) % points.size()];
            if (a.y > b.y)
                std::swap(a, b);
            if (y >= a.y && y < b.y)  // the row's centre lies in [a.y, b.y)
                crossings.push_back(EdgeWalker(a, b, y).pixel());
        }
        std::sort(crossings.begin(), crossings.end());
        for (std::size_t i = 0; i + 1 < crossings.size(); i += 2)
            span(y, crossings[i], crossings[i + 1] - 1, rgb, mode);
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
    if (pen().mode == PenMode::NotXor && points.size() > 2) {
        notXorPolyline(points);
    } else {
        for (std::size_t i = 1; i < points.size(); ++i)
            line(points[i - 1], points[i]);
    }
    if (!points.empty())
        moveTo(points.back().x, points.back().y);
}

// Segment by segment, a wide pen would paint the squares at the joints twice
// and not-xor would take them back out: the segments are gathered on a
// scratch surface first, and each pixel they cover is painted once.
void ImageCanvas::notXorPolyline(std::span<const Point> points)
{
    QImage covered(m_image.size(), QImage::Format_RGB32);
    covered.fill(Qt::black);
    ImageCanvas scratch(covered);
    scratch.setPenWidth(pen().width);
    scratch.setPenColour(0xFFFFFF);
    scratch.polyline(points);
    const QRgb rgb = toRgb(pen().colour);
    begin();
    for (int y = 0; y < m_height; ++y) {
        const auto* mark = reinterpret_cast<const QRgb*>(covered.constScanLine(y));
        for (int x = 0; x < m_width; ++x)
            if (mark[x] != qRgb(0, 0, 0))
                put(m_bits[std::ptrdiff_t(y) * m_stride + x], rgb, PenMode::NotXor);
    }
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
    // Bresenham, end point excluded; the bounds are checked per pixel only
    // for a line that leaves the surface.
    const QRect surface(0, 0, m_width, m_height);
    const bool inside = surface.contains(from.x, from.y) && surface.contains(to.x, to.y);
    const int dx = std::abs(to.x - from.x), dy = -std::abs(to.y - from.y);
    const int sx = from.x < to.x ? 1 : -1, sy = from.y < to.y ? 1 : -1;
    int error = dx + dy;
    int x = from.x, y = from.y;
    while (x != to.x || y != to.y) {
        if (inside)
            put(m_bits[std::ptrdiff_t(y) * m_stride + x], rgb, mode);
        else
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
