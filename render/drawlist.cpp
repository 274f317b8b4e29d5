#include "drawlist.h"

#include <algorithm>

namespace render {

void DrawList::clear()
{
    m_calls.clear();
    m_points.clear();
}

bool DrawList::hasNotXor() const
{
    return std::any_of(m_calls.begin(), m_calls.end(),
                       [](const DrawCall& call) { return call.pen.mode == PenMode::NotXor; });
}

void DrawList::drawOn(Canvas& canvas) const
{
    for (const DrawCall& call : m_calls)
        drawOn(canvas, call);
}

void DrawList::drawOn(Canvas& canvas, const DrawCall& call) const
{
    canvas.setPenColour(call.pen.colour);
    canvas.setPenWidth(call.pen.width);
    canvas.setPenMode(call.pen.mode);
    canvas.setBrush(call.brush);
    const std::span<const Point> p = points(call);
    switch (call.kind) {
    case DrawCall::Kind::Rectangle: canvas.rectangle(p[0].x, p[0].y, p[1].x, p[1].y); break;
    case DrawCall::Kind::Ellipse: canvas.ellipse(p[0].x, p[0].y, p[1].x, p[1].y); break;
    case DrawCall::Kind::Polygon: canvas.polygon(p); break;
    case DrawCall::Kind::Polyline: canvas.polyline(p); break;
    case DrawCall::Kind::Line:
        canvas.moveTo(p[0].x, p[0].y);
        canvas.lineTo(p[1].x, p[1].y);
        break;
    }
}

void DrawList::rectangle(int x1, int y1, int x2, int y2)
{
    const Point box[] = {{x1, y1}, {x2, y2}};
    add(DrawCall::Kind::Rectangle, box);
}

void DrawList::ellipse(int x1, int y1, int x2, int y2)
{
    const Point box[] = {{x1, y1}, {x2, y2}};
    add(DrawCall::Kind::Ellipse, box);
}

void DrawList::polygon(std::span<const Point> points) { add(DrawCall::Kind::Polygon, points); }

void DrawList::polyline(std::span<const Point> points)
{
    add(DrawCall::Kind::Polyline, points);
    if (!points.empty())
        moveTo(points.back().x, points.back().y);
}

void DrawList::line(Point from, Point to)
{
    const Point ends[] = {from, to};
    add(DrawCall::Kind::Line, ends);
}

void DrawList::add(DrawCall::Kind kind, std::span<const Point> points)
{
    m_calls.push_back({kind, std::uint32_t(m_points.size()), std::uint32_t(points.size()), pen(), brush()});
    m_points.insert(m_points.end(), points.begin(), points.end());
}

} // namespace render
