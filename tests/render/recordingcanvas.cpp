#include "recordingcanvas.h"

#include <cstdio>

namespace render {

namespace {
std::string hex(Colour colour)
{
    char text[16];
    std::snprintf(text, sizeof text, "%06X", unsigned(colour) & 0xFFFFFFu);
    return text;
}
} // namespace

std::string DrawCall::text() const
{
    static const char* const names[] = {"rect", "ellipse", "polygon", "polyline", "line"};
    std::string out = names[int(kind)];
    for (const Point& p : points)
        out += " " + std::to_string(p.x) + "," + std::to_string(p.y);
    out += " pen=" + hex(pen.colour) + "/" + std::to_string(pen.width);
    if (pen.mode == PenMode::NotXor)
        out += "x";
    if (kind != Kind::Line && kind != Kind::Polyline)
        out += " brush=" + hex(brush);
    return out;
}

std::vector<std::string> RecordingCanvas::texts() const
{
    std::vector<std::string> out;
    out.reserve(calls.size());
    for (const DrawCall& call : calls)
        out.push_back(call.text());
    return out;
}

} // namespace render
