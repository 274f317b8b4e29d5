#include "overviewmap.h"

#include "colours.h"

#include <array>

namespace render {

namespace {

// Vertices in map pixels (each the centre of a cell), per maze in drawing
// order. Mazes 1 and 2 have no waterway.
const std::array<std::vector<std::vector<Point>>, game::MazeCount> Lines{{
    /* 0 */ {{{6, 82}, {18, 82}, {18, 102}, {30, 102}, {30, 94}, {42, 94}, {42, 86}, {50, 86},
              {50, 50}, {38, 50}, {38, 34}, {34, 34}, {34, 6}}},
    /* 1 */ {},
    /* 2 */ {},
    /* 3 */ {{{6, 26}, {50, 26}, {50, 22}, {66, 22}, {66, 18}, {94, 18}}},
    /* 4 */ {{{6, 86}, {42, 86}, {42, 82}, {46, 82}, {46, 78}, {50, 78}, {50, 74}, {58, 74},
              {58, 58}, {86, 58}, {86, 42}, {114, 42}}},
    /* 5 */ {{{34, 6}, {34, 38}, {38, 38}, {38, 50}, {42, 50}, {42, 114}},
             {{66, 114}, {66, 70}, {102, 70}, {102, 58}, {114, 58}}},
    /* 6 */ {{{6, 34}, {22, 34}, {22, 30}, {34, 30}, {34, 34}, {42, 34}},
             {{62, 6}, {62, 18}, {54, 18}, {54, 30}, {46, 30}, {46, 46}, {54, 46}, {54, 62}, {42, 62},
              {42, 70}, {38, 70}, {38, 74}, {26, 74}, {26, 82}, {14, 82}, {14, 86}, {6, 86}},
             {{98, 6}, {98, 22}, {86, 22}, {86, 38}, {74, 38}, {74, 54}, {58, 54}},
             {{70, 58}, {70, 70}, {58, 70}},
             {{54, 66}, {54, 70}, {50, 70}, {50, 78}, {46, 78}, {46, 82}, {34, 82}, {34, 90}, {22, 90},
              {22, 94}, {6, 94}},
             {{74, 62}, {78, 62}, {78, 74}, {90, 74}, {90, 86}, {102, 86}, {102, 94}, {114, 94}}},
    /* 7 */ {{{26, 6}, {26, 26}, {6, 26}},
             {{42, 6}, {42, 46}, {6, 46}},
             {{58, 6}, {58, 62}, {6, 62}}},
    /* 8 */ {{{50, 46}, {74, 46}, {74, 70}, {50, 70}, {50, 46}}},
    /* 9 */ {{{6, 34}, {114, 34}},
             {{6, 94}, {114, 94}}},
}};

} // namespace

std::span<const std::vector<Point>> waterwayLines(int maze) { return Lines[maze]; }

Point cellCentre(int row, int column) { return {MapCell * row + 2, MapCell * column + 2}; }

void OverviewMap::clear()
{
    m_canvas.setBrush(White);
    m_canvas.setPenColour(White);
    m_canvas.rectangle(0, 0, MapSize, MapSize);
}

void OverviewMap::drawWaterwayLines(int maze)
{
    if (Lines[maze].empty())
        return;  // the pen keeps the white of the clearing
    m_canvas.setPenWidth(4);
    m_canvas.setPenColour(Teal);
    for (const std::vector<Point>& line : Lines[maze])
        m_canvas.polyline(line);
}

void OverviewMap::drawStep(game::Cell from, game::Cell to)
{
    const Point a = cellCentre(from.row, from.column), b = cellCentre(to.row, to.column);
    m_canvas.moveTo(a.x, a.y);
    m_canvas.lineTo(b.x, b.y);
}

void OverviewMap::forwardReleased()
{
    m_canvas.setPenColour(Black);
    m_canvas.setPenWidth(4);
    m_canvas.setPenMode(PenMode::Copy);
}

// Drawn in not-xor, so drawing it twice gives back every pixel.
void OverviewMap::flash(int row, int column)
{
    m_canvas.rectangle(MapCell * row + 2, MapCell * column + 2, MapCell * row + 4, MapCell * column + 4);
}

void OverviewMap::probePressed(int row, int column)
{
    m_canvas.setPenMode(PenMode::NotXor);
    m_canvas.setPenColour(Lime);
    flash(row, column);
}

void OverviewMap::probeReleased(int row, int column)
{
    flash(row, column);
    m_canvas.setPenMode(PenMode::Copy);
    m_canvas.setPenColour(Black);
}

void OverviewMap::markBridge(int row, int column)
{
    m_canvas.rectangle(MapCell * row + 1, MapCell * column + 1, MapCell * row + 3, MapCell * column + 3);
}

} // namespace render
