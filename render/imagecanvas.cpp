#include "imagecanvas.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <limits>
#include <vector>

namespace render {

namespace {

inline void put(Pixel& pixel, Pixel colour, PenMode mode)
{
    pixel = mode == PenMode::Copy ? colour : (0xFF000000u | (~(colour ^ pixel) & 0x00FFFFFFu));
}

// count pixels from first on, in the given mode.
inline void fillRun(Pixel* first, int count, Pixel colour, PenMode mode)
{
    if (mode == PenMode::NotXor) {
        for (int i = 0; i < count; ++i)
            put(first[i], colour, mode);
    } else {
        std::fill_n(first, count, colour);
    }
}
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

// The columns of row y whose pixel centres lie inside the ellipse inscribed
// in the half-open box of width w and height h at (left, top); empty when
// first > last. Doubled, a centre's offset from the box's centre is X
// across and Y down, both integers: it is inside when
// X² h² + Y² w² <= w² h².
struct Columns {
    int first, last;
};
Columns ellipseRow(int left, int top, int w, int h, int y)
{
    if (w < 1 || h < 1 || y < top || y >= top + h)
        return {0, -1};
    const long long Y = 2LL * (y - top) + 1 - h;
    const long long room = (long long)w * w * ((long long)h * h - Y * Y);  // X² h² may reach this
    long long X = (long long)std::sqrt(double(room)) / h;
    while ((X + 1) * (X + 1) * h * h <= room)
        ++X;
    while (X > 0 && X * X * h * h > room)
        --X;
    if ((X + w + 1) % 2 != 0)  // X = 2 (x - left) + 1 - w has the parity of w - 1
        --X;
    if (X < 0)
        return {0, -1};
    // x - left = (X + w - 1) / 2 on the right, (w - 1 - X) / 2 on the left.
    return {left + int((w - 1 - X) / 2), left + int((w - 1 + X) / 2)};
}

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

// Whether the centre of pixel (x, y) lies within width / 2 of the segment
// from a to b, whose ends lie on the corners between pixels. Doubled, the
// centre and the ends are integers and the test is exact.
bool withinBand(int x, int y, Point a, Point b, int width)
{
    const long long px = 2LL * x + 1 - 2LL * a.x, py = 2LL * y + 1 - 2LL * a.y;  // from a
    const long long dx = 2LL * (b.x - a.x), dy = 2LL * (b.y - a.y);
    const long long along = px * dx + py * dy, length2 = dx * dx + dy * dy;
    const long long reach2 = (long long)width * width;
    if (along <= 0)
        return px * px + py * py <= reach2;  // the round end at a
    if (along >= length2) {
        const long long qx = px - dx, qy = py - dy;
        return qx * qx + qy * qy <= reach2;  // the round end at b
    }
    const long long across = px * dy - py * dx;  // the distance times the length
    return across * across <= reach2 * length2;
}

} // namespace

void ImageCanvas::span(int y, int x1, int x2, Pixel pixel, PenMode mode)
{
    if (y < 0 || y >= m_bitmap.height())
        return;
    x1 = std::max(x1, 0);
    x2 = std::min(x2, m_bitmap.width() - 1);
    if (x1 > x2)
        return;
    fillRun(m_bitmap.row(y) + x1, x2 - x1 + 1, pixel, mode);
}

void ImageCanvas::block(int left, int top, int right, int bottom, Pixel pixel, PenMode mode)
{
    const int width = m_bitmap.width();
    left = std::max(left, 0);
    right = std::min(right, width - 1);
    top = std::max(top, 0);
    bottom = std::min(bottom, m_bitmap.height() - 1);
    if (left > right || top > bottom)
        return;
    if (left == 0 && right == width - 1) {  // whole rows lie end to end
        fillRun(m_bitmap.row(top), (bottom - top + 1) * width, pixel, mode);
        return;
    }
    for (int y = top; y <= bottom; ++y)
        fillRun(m_bitmap.row(y) + left, right - left + 1, pixel, mode);
}

void ImageCanvas::plot(int x, int y, Pixel pixel, PenMode mode)
{
    if (x >= 0 && y >= 0 && x < m_bitmap.width() && y < m_bitmap.height())
        put(m_bitmap.row(y)[x], pixel, mode);
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
    const Pixel penPixel = pixelOf(pen().colour), brushPixel = pixelOf(brush());
    const PenMode mode = pen().mode;
    m_bitmap.drawn();
    if (innerLeft > innerRight || innerTop > innerBottom) {  // all ring
        block(outerLeft, outerTop, outerRight, outerBottom, penPixel, mode);
        return;
    }
    if (penPixel == brushPixel && mode == PenMode::Copy) {  // one colour: one fill
        block(outerLeft, outerTop, outerRight, outerBottom, penPixel, mode);
        return;
    }
    block(outerLeft, outerTop, outerRight, innerTop - 1, penPixel, mode);
    if (w == 1 && mode == PenMode::Copy) {
        // The common case, the corridor's outlined faces: one pass a row.
        const int width = m_bitmap.width();
        const int top = std::max(innerTop, 0), bottom = std::min(innerBottom, m_bitmap.height() - 1);
        const int left = std::max(innerLeft, 0), right = std::min(innerRight, width - 1);
        const bool leftEdge = outerLeft >= 0 && outerLeft < width;
        const bool rightEdge = outerRight >= 0 && outerRight < width;
        for (int y = top; y <= bottom; ++y) {
            Pixel* row = m_bitmap.row(y);
            if (leftEdge)
                row[outerLeft] = penPixel;
            if (left <= right)
                fillRun(row + left, right - left + 1, brushPixel, mode);
            if (rightEdge)
                row[outerRight] = penPixel;
        }
    } else {
        block(outerLeft, innerTop, innerLeft - 1, innerBottom, penPixel, mode);
        block(innerLeft, innerTop, innerRight, innerBottom, brushPixel, mode);
        block(innerRight + 1, innerTop, outerRight, innerBottom, penPixel, mode);
    }
    block(outerLeft, innerBottom + 1, outerRight, outerBottom, penPixel, mode);
}

// The pen's ring lies between the ellipse inscribed in the rectangle's
// outer box and the one inscribed in its inner box, the brush inside the
// inner one: row by row, the brush's columns and the ring's one or two
// stretches beside them.
void ImageCanvas::ellipse(int x1, int y1, int x2, int y2)
{
    if (x1 > x2)
        std::swap(x1, x2);
    if (y1 > y2)
        std::swap(y1, y2);
    if (x2 - x1 < 1 || y2 - y1 < 1)
        return;
    const int w = std::max(pen().width, 1);
    const int left = x1 - w / 2, top = y1 - w / 2;
    const int width = x2 - x1 + w - 1, height = y2 - y1 + w - 1;  // the outer box
    const Pixel penPixel = pixelOf(pen().colour), brushPixel = pixelOf(brush());
    const PenMode mode = pen().mode;
    m_bitmap.drawn();
    const int first = std::max(top, 0), last = std::min(top + height - 1, m_bitmap.height() - 1);
    for (int y = first; y <= last; ++y) {
        const Columns outer = ellipseRow(left, top, width, height, y);
        const Columns inner = ellipseRow(left + w, top + w, width - 2 * w, height - 2 * w, y);
        if (inner.first > inner.last) {
            span(y, outer.first, outer.last, penPixel, mode);
            continue;
        }
        span(y, outer.first, inner.first - 1, penPixel, mode);
        span(y, inner.first, inner.last, brushPixel, mode);
        span(y, inner.last + 1, outer.last, penPixel, mode);
    }
}

std::pair<int, int> ImageCanvas::rowsOf(std::span<const Point> points) const
{
    int top = m_bitmap.height(), bottom = -1;
    for (const Point& p : points) {
        top = std::min(top, p.y);
        bottom = std::max(bottom, p.y);
    }
    return {std::max(top, 0), std::min(bottom, m_bitmap.height() - 1)};
}
void ImageCanvas::fillPolygon(std::span<const Point> points, Pixel pixel, PenMode mode)
{
    if (!convex(points)) {
        fillPolygonEvenOdd(points, pixel, mode);
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
            span(top + row, m_left[std::size_t(row)], m_right[std::size_t(row)], pixel, mode);
}

void ImageCanvas::fillPolygonEvenOdd(std::span<const Point> points, Pixel pixel, PenMode mode)
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
            span(y, crossings[i], crossings[i + 1] - 1, pixel, mode);
    }
}

void ImageCanvas::polygon(std::span<const Point> points)
{
    if (points.size() < 2)
        return;
    m_bitmap.drawn();
    fillPolygon(points, pixelOf(brush()), pen().mode);
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
    Bitmap covered(m_bitmap.width(), m_bitmap.height(), 0x000000);
    ImageCanvas scratch(covered);
    scratch.setPenWidth(pen().width);
    scratch.setPenColour(0xFFFFFF);
    scratch.polyline(points);
    const Pixel pixel = pixelOf(pen().colour);
    m_bitmap.drawn();
    for (int y = 0; y < m_bitmap.height(); ++y) {
        const Pixel* mark = covered.row(y);
        Pixel* row = m_bitmap.row(y);
        for (int x = 0; x < m_bitmap.width(); ++x)
            if (mark[x] != pixelOf(0x000000))
                put(row[x], pixel, PenMode::NotXor);
    }
}

void ImageCanvas::thinLine(Point from, Point to, Pixel pixel, PenMode mode)
{
    if (from == to)
        return;
    if (from.y == to.y) {  // the floor grid and many outlines run straight
        span(from.y, from.x < to.x ? from.x : to.x + 1, from.x < to.x ? to.x - 1 : from.x, pixel, mode);
        return;
    }
    if (from.x == to.x) {
        if (from.x < 0 || from.x >= m_bitmap.width())
            return;
        const int first = std::max(from.y < to.y ? from.y : to.y + 1, 0);
        const int last = std::min(from.y < to.y ? to.y - 1 : from.y, m_bitmap.height() - 1);
        for (int y = first; y <= last; ++y)
            put(m_bitmap.row(y)[from.x], pixel, mode);
        return;
    }
    // Bresenham, end point excluded; the bounds are checked per pixel only
    // for a line that leaves the surface.
    const auto onSurface = [this](Point p) {
        return p.x >= 0 && p.y >= 0 && p.x < m_bitmap.width() && p.y < m_bitmap.height();
    };
    const bool inside = onSurface(from) && onSurface(to);
    const int dx = std::abs(to.x - from.x), dy = -std::abs(to.y - from.y);
    const int sx = from.x < to.x ? 1 : -1, sy = from.y < to.y ? 1 : -1;
    int error = dx + dy;
    int x = from.x, y = from.y;
    while (x != to.x || y != to.y) {
        if (inside)
            put(m_bitmap.row(y)[x], pixel, mode);
        else
            plot(x, y, pixel, mode);
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

// Every pixel whose centre lies within half the width of the segment: a
// band with round ends, each pixel painted once.
void ImageCanvas::wideSlantedLine(Point from, Point to, int width, Pixel pixel, PenMode mode)
{
    const int reach = width / 2 + 1;
    const int left = std::max(std::min(from.x, to.x) - reach, 0);
    const int right = std::min(std::max(from.x, to.x) + reach, m_bitmap.width() - 1);
    const int top = std::max(std::min(from.y, to.y) - reach, 0);
    const int bottom = std::min(std::max(from.y, to.y) + reach, m_bitmap.height() - 1);
    for (int y = top; y <= bottom; ++y)
        for (int x = left; x <= right; ++x)
            if (withinBand(x, y, from, to, width))
                put(m_bitmap.row(y)[x], pixel, mode);
}

void ImageCanvas::line(Point from, Point to)
{
    const Pixel pixel = pixelOf(pen().colour);
    const PenMode mode = pen().mode;
    const int w = std::max(pen().width, 1);
    m_bitmap.drawn();
    if (w == 1) {
        thinLine(from, to, pixel, mode);
    } else if (from.x == to.x || from.y == to.y) {
        const int left = std::min(from.x, to.x) - w / 2, right = std::max(from.x, to.x) + (w - 1) / 2;
        const int top = std::min(from.y, to.y) - w / 2, bottom = std::max(from.y, to.y) + (w - 1) / 2;
        block(left, top, right, bottom, pixel, mode);
    } else {
        wideSlantedLine(from, to, w, pixel, mode);
    }
}

} // namespace render
