#include "drawtext.h"

#include <iomanip>
#include <sstream>

namespace render {

std::string text(const DrawList& list, const DrawCall& call)
{
    static const char* const names[] = {"rect", "ellipse", "polygon", "polyline", "line"};
    std::ostringstream out;
    out << names[int(call.kind)];
    for (const Point& p : list.points(call))
        out << ' ' << p.x << ',' << p.y;
    out << std::uppercase << std::hex << std::setfill('0');
    out << " pen=" << std::setw(6) << (unsigned(call.pen.colour) & 0xFFFFFFu) << std::dec << '/' << call.pen.width;
    if (call.pen.mode == PenMode::NotXor)
        out << 'x';
    if (call.kind != DrawCall::Kind::Line && call.kind != DrawCall::Kind::Polyline)
        out << " brush=" << std::hex << std::setw(6) << (unsigned(call.brush) & 0xFFFFFFu);
    return out.str();
}

std::vector<std::string> texts(const DrawList& list)
{
    std::vector<std::string> out;
    out.reserve(list.calls().size());
    for (const DrawCall& call : list.calls())
        out.push_back(text(list, call));
    return out;
}

} // namespace render
