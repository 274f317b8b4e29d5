// A list of drawing calls: a canvas that draws nothing and keeps each call
// with the pen and brush it was made with. The view keeps a frame's calls so
// that a frame like the one before costs nothing; the tests read frames
// back from it, and the benchmarks replay it.
#pragma once

#include "canvas.h"

#include <cstdint>
#include <span>
#include <vector>

namespace render {

struct DrawCall {
    enum class Kind : std::uint8_t { Rectangle, Ellipse, Polygon, Polyline, Line };
    Kind kind;
    std::uint32_t first, count;  // its points in the list: a box as its two corners, a line as its ends
    Pen pen;
    Colour brush;
    friend bool operator==(const DrawCall&, const DrawCall&) = default;
};

class DrawList final : public Canvas {
public:
    const std::vector<DrawCall>& calls() const { return m_calls; }
    std::span<const Point> points(const DrawCall& call) const { return {m_points.data() + call.first, call.count}; }
    bool empty() const { return m_calls.empty(); }
    // The calls go; the pen, the brush and the position stay, as on any
    // canvas between two frames.
    void clear();
    bool hasNotXor() const;

    // Each call drawn on another canvas with its own pen and brush.
    void drawOn(Canvas& canvas) const;
    void drawOn(Canvas& canvas, const DrawCall& call) const;

    void rectangle(int x1, int y1, int x2, int y2) override;
    void ellipse(int x1, int y1, int x2, int y2) override;
    void polygon(std::span<const Point> points) override;
    void polyline(std::span<const Point> points) override;
    using Canvas::polygon;
    using Canvas::polyline;

    // The same calls with the same pens and brushes, in the same order.
    friend bool operator==(const DrawList& a, const DrawList& b)
    {
        return a.m_calls == b.m_calls && a.m_points == b.m_points;
    }

protected:
    void line(Point from, Point to) override;

private:
    void add(DrawCall::Kind kind, std::span<const Point> points);

    std::vector<DrawCall> m_calls;
    std::vector<Point> m_points;
};

} // namespace render
