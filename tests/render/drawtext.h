// A canvas that draws nothing and remembers every drawing call with the pen
// and brush it was made with: the tests read frames back from it.
#pragma once

#include "render/canvas.h"

#include <string>
#include <vector>

namespace render {

struct DrawCall {
    enum class Kind { Rectangle, Ellipse, Polygon, Polyline, Line };
    Kind kind;
    std::vector<Point> points;  // a box as its two corners
    Pen pen;
    Colour brush;

    // For example "rect 0,198 330,330 pen=756475/1 brush=756475"; pens in
    // not-xor mode end in "x", lines and polylines carry no brush.
    std::string text() const;
};

class RecordingCanvas final : public Canvas {
public:
    std::vector<DrawCall> calls;

    std::vector<std::string> texts() const;

    void rectangle(int x1, int y1, int x2, int y2) override { record(DrawCall::Kind::Rectangle, {{x1, y1}, {x2, y2}}); }
    void ellipse(int x1, int y1, int x2, int y2) override { record(DrawCall::Kind::Ellipse, {{x1, y1}, {x2, y2}}); }
    void polygon(std::span<const Point> points) override { record(DrawCall::Kind::Polygon, {points.begin(), points.end()}); }
    void polyline(std::span<const Point> points) override { record(DrawCall::Kind::Polyline, {points.begin(), points.end()}); }
    using Canvas::polygon;
    using Canvas::polyline;

protected:
    void line(Point from, Point to) override { record(DrawCall::Kind::Line, {from, to}); }

private:
    void record(DrawCall::Kind kind, std::vector<Point> points) { calls.push_back({kind, std::move(points), pen(), brush()}); }
};

} // namespace render
