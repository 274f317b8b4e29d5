// The corridor's geometry on the 330 x 330 view: the floor grid, and the
// faces of the walls in the 5 x 5 cells around and ahead of the player
// (lane 0-4 from left to right, 2 the player's own; depth 0-4 ahead). The
// frame draws them; the about picture shows a corridor in the same lines.
#pragma once

#include "canvas.h"

#include <array>

namespace render::corridor {

// The seven floor grid lines: the bottoms of depth planes 3, 2 and 1, then
// the four lane boundaries running to the horizon at y = 198.
constexpr std::array<std::array<Point, 2>, 7> GridLines{{
    {{{0, 220}, {330, 220}}},
    {{{0, 253}, {330, 253}}},
    {{{0, 297}, {330, 297}}},
    {{{0, 220}, {66, 198}}},
    {{{0, 330}, {132, 198}}},
    {{{330, 330}, {198, 198}}},
    {{{330, 220}, {264, 198}}},
}};

// Front faces: the depth plane moved sideways by whole plane widths.
struct Box {
    int left, top, right, bottom;
};
struct FrontFaces {
    int depth;
    int firstLane, lastLane;
    int top, bottom;
    int width, offset;  // lane l spans width * l + offset .. + width
    constexpr Box face(int lane) const { return {width * lane + offset, top, width * lane + offset + width, bottom}; }
};
constexpr std::array<FrontFaces, 4> Fronts{{
    {4, 0, 4, 132, 198, 66, 0},
    {3, 1, 3, 110, 220, 110, -110},
    {2, 1, 3, 77, 253, 176, -275},
    {1, 1, 3, 33, 297, 264, -495},
}};

// Side faces: the cell's edge in depth plane d joined to the same edge in
// plane d + 1.
struct SideFace {
    int lane, depth;
    std::array<Point, 4> corners;
};
constexpr std::array<SideFace, 10> Sides{{
    {0, 3, {{{0, 110}, {0, 220}, {66, 198}, {66, 132}}}},
    {1, 3, {{{110, 110}, {110, 220}, {132, 198}, {132, 132}}}},
    {3, 3, {{{220, 110}, {220, 220}, {198, 198}, {198, 132}}}},
    {4, 3, {{{330, 110}, {330, 220}, {264, 198}, {264, 132}}}},
    {1, 2, {{{77, 77}, {77, 253}, {110, 220}, {110, 110}}}},
    {3, 2, {{{253, 77}, {253, 253}, {220, 220}, {220, 110}}}},
    {1, 1, {{{33, 33}, {33, 297}, {77, 253}, {77, 77}}}},
    {3, 1, {{{297, 33}, {297, 297}, {253, 253}, {253, 77}}}},
    {1, 0, {{{0, 0}, {0, 330}, {33, 297}, {33, 33}}}},
    {3, 0, {{{330, 0}, {330, 330}, {297, 297}, {297, 33}}}},
}};

constexpr const FrontFaces& frontsAt(int depth) { return Fronts[std::size_t(4 - depth)]; }

constexpr const SideFace& sideAt(int lane, int depth)
{
    for (const SideFace& side : Sides)
        if (side.lane == lane && side.depth == depth)
            return side;
    throw "no side face there";
}

} // namespace render::corridor
