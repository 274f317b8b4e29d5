#include "recordingcanvas.h"

#include <iomanip>
#include <sstream>

namespace render {

std::string DrawCall::text() const
{
    static const char* const names[] = {"rect", "ellipse", "polygon", "polyline", "line"};
    std::ostringstream out;
    out << names[int(kind)];
    for (const Point& p : points)
        out << ' ' << p.x << ',' << p.y;
    out << std::uppercase << std::hex << std::setfill('0');
    out << " pen=" << std::setw(6) << (unsigned(pen.colour) & 0xFFFFFFu) << std::dec << '/' << pen.width;
    if (pen.mode == PenMode::NotXor)
        out << 'x';
    if (kind != Kind::Line && kind != Kind::Polyline)
        out << " brush=" << std::hex << std::setw(6) << (unsigned(brush) & 0xFFFFFFu);
    return out.str();
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
