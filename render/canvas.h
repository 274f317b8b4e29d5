// A drawing surface that keeps a current pen and brush between calls, the
// way the game draws all its pictures: every operation sets only what it
// needs and draws with whatever the rest holds, so their order decides the
// look.
//
// Colours are 0x00BBGGRR (red in the lowest byte). Only the low 24 bits are
// shown; higher bits (the sky and wall formulas overflow into them) and the
// sign are ignored.
//
// Pixel-edge convention, the same for every implementation:
//   - rectangle (x1, y1, x2, y2) covers columns x1 .. x2-1 and rows
//     y1 .. y2-1; a pen of width w paints a ring of w pixels centred on that
//     outline (for w = 1, the outermost pixels of the box), the brush the
//     rest; every pixel is painted once;
//   - ellipse: the ellipse inscribed in that same half-open box;
//   - polygon: filled by the even-odd rule, sampled at pixel centres, then
//     outlined through every vertex;
//   - move-to / line-to and polyline: a 1-pixel line paints its start point
//     but not its end point; a wider line along an axis covers w pixels
//     across, centred on it (w/2 before, the rest after), and reaches w/2
//     pixels beyond both ends, so a 4-pixel line between two map cell
//     centres covers exactly the two 4 x 4 cells; a wider slanted line has
//     round ends; a polyline covers what its segments would, joints painted
//     once like the rest;
//   - everything is clipped to the surface.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <span>

namespace render {

using Colour = std::int64_t;  // 0x00BBGGRR in the low 24 bits

enum class PenMode { Copy, NotXor };

struct Pen {
    Colour colour = 0;
    int width = 1;
    PenMode mode = PenMode::Copy;
    friend bool operator==(const Pen&, const Pen&) = default;
};

struct Point {
    int x = 0;
    int y = 0;
    friend bool operator==(const Point&, const Point&) = default;
};

class Canvas {
public:
    virtual ~Canvas() = default;

    const Pen& pen() const { return m_pen; }
    Colour brush() const { return m_brush; }
    Point position() const { return m_position; }

    void setPenColour(Colour colour) { m_pen.colour = colour; }
    void setPenWidth(int width) { m_pen.width = width; }
    void setPenMode(PenMode mode) { m_pen.mode = mode; }
    void setBrush(Colour colour) { m_brush = colour; }

    virtual void rectangle(int x1, int y1, int x2, int y2) = 0;
    virtual void ellipse(int x1, int y1, int x2, int y2) = 0;
    virtual void polygon(std::span<const Point> points) = 0;
    virtual void polyline(std::span<const Point> points) = 0;
    void polygon(std::initializer_list<Point> points) { polygon(std::span(points.begin(), points.size())); }
    void polyline(std::initializer_list<Point> points) { polyline(std::span(points.begin(), points.size())); }

    void moveTo(int x, int y) { m_position = {x, y}; }
    void lineTo(int x, int y)
    {
        const Point from = m_position;
        m_position = {x, y};
        line(from, m_position);
    }

protected:
    virtual void line(Point from, Point to) = 0;

private:
    Pen m_pen;
    Colour m_brush = 0xFFFFFF;
    Point m_position;
};

} // namespace render
