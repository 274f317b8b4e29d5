#include "scenery.h"

#include "scenerytext.h"

#include "game/waterways.h"

#include <ostream>
#include <sstream>

namespace render {

// Reads the written scenery into tables while the game is compiled. Each
// `throw` it reaches stops the build with its message.
struct SceneryReader {
    static constexpr int tile(std::string_view name)
    {
        for (int tile = 0; tile < FloorTileCount; ++tile)
            if (name == FloorTileNames[std::size_t(tile)])
                return tile;
        throw "scenery text: unknown floor tile";
    }

    // "W tiles, B tiles (count): positions"; returns the positions read.
    static constexpr int floorViewLine(std::string_view line, SceneryTable& table)
    {
        game::notation::Reader in(line);
        Colouring colouring;
        for (;;) {
            std::uint8_t* mask = in.accept('W') ? &colouring.water : in.accept('B') ? &colouring.bridge : nullptr;
            if (!mask)
                break;
            while (in.peek() != ',' && in.peek() != '(' && !in.atEnd())
                *mask |= std::uint8_t(1u << tile(in.word()));
            in.accept(',');
        }
        if (colouring.empty())
            throw "scenery text: a floor view colours nothing";
        const int stated = in.statedCount();
        int count = 0;
        while (!in.atEnd()) {
            in.expect('(');
            const game::notation::Range rows = in.range();
            in.expect(',');
            const game::notation::Range columns = in.range();
            in.expect(',');
            const game::notation::Range headings = in.range();
            in.expect(')');
            for (int row = rows.first; row <= rows.last; ++row)
                for (int column = columns.first; column <= columns.last; ++column)
                    for (int heading = headings.first; heading <= headings.last; ++heading) {
                        if (!game::onGrid(row, column) || heading > 3)
                            throw "scenery text: a floor view lies off the grid";
                        Colouring& slot = table.m_views[std::size_t((row * game::MazeSize + column) * 4 + heading)];
                        if (!slot.empty())
                            throw "scenery text: a position has two floor views";
                        slot = colouring;
                        ++count;
                    }
        }
        if (count != stated)
            throw "scenery text: a line's stated count differs from its positions";
        return count;
    }

    // "far (r,c,h) near (r,c,h) marks (r,c) ..."
    static constexpr Shrine shrine(std::string_view text)
    {
        game::notation::Reader in(text);
        Shrine shrine;
        if (!in.accept("far"))
            throw "scenery text: a shrine starts with its far view";
        shrine.farView = in.position();
        if (!in.accept("near"))
            throw "scenery text: a shrine's near view is missing";
        shrine.nearView = in.position();
        if (!in.accept("marks"))
            throw "scenery text: a shrine's bridge marks are missing";
        while (!in.atEnd()) {
            if (shrine.markCount == int(shrine.marks.size()))
                throw "scenery text: too many bridge marks";
            in.expect('(');
            const int row = in.number();
            in.expect(',');
            const int column = in.number();
            in.expect(')');
            if (!game::onGrid(row, column))
                throw "scenery text: a bridge mark lies off the grid";
            shrine.marks[std::size_t(shrine.markCount++)] = {row, column};
        }
        return shrine;
    }

    static constexpr SceneryTable table(const text::SceneryText& text)
    {
        SceneryTable table;
        int total = 0;
        for (std::string_view line : text.floorViews)
            total += floorViewLine(line, table);
        if (total != text.floorViewCount)
            throw "scenery text: a maze's stated floor-view count differs from its lines";
        table.m_blackens = text.blackensNearBand;
        if (!text.shrine.empty())
            table.m_shrine = shrine(text.shrine);
        return table;
    }

    static constexpr std::array<SceneryTable, game::MazeCount> all()
    {
        static_assert(std::size(text::Scenery) == game::MazeCount);
        std::array<SceneryTable, game::MazeCount> tables;
        for (int maze = 0; maze < game::MazeCount; ++maze)
            tables[std::size_t(maze)] = table(text::Scenery[maze]);
        return tables;
    }
};

namespace {
constexpr std::array<SceneryTable, game::MazeCount> Tables = SceneryReader::all();
} // namespace

const SceneryTable& scenery(int maze) { return Tables[std::size_t(maze)]; }

std::vector<Position> SceneryTable::viewPositions() const
{
    std::vector<Position> out;
    for (int row = 0; row < game::MazeSize; ++row)
        for (int column = 0; column < game::MazeSize; ++column)
            for (int heading = 0; heading < 4; ++heading)
                if (!floorView(row, column, heading).empty())
                    out.push_back({row, column, heading});
    return out;
}

namespace {

void putTiles(std::ostream& out, std::uint8_t mask)
{
    const char* separator = "";
    for (int tile = 0; tile < FloorTileCount; ++tile)
        if (mask & (1u << tile)) {
            out << separator << FloorTileNames[std::size_t(tile)];
            separator = ",";
        }
    if (mask == 0)
        out << '-';
}

std::ostream& operator<<(std::ostream& out, const Position& p)
{
    return out << p.row << ' ' << p.column << ' ' << p.heading;
}

} // namespace

std::string describe(int maze)
{
    const SceneryTable& table = scenery(maze);
    std::ostringstream out;
    for (const game::Cell& cell : game::waterwayCells(maze))
        out << "waterway " << cell.row << ' ' << cell.column << '\n';
    out << "blackens " << int(table.blackensNearBand()) << '\n';
    if (const auto& shrine = table.shrine()) {
        out << "shrine far " << shrine->farView << " near " << shrine->nearView << " marks";
        for (const game::Cell& mark : *shrine)
            out << ' ' << mark.row << ' ' << mark.column;
        out << '\n';
    } else {
        out << "shrine none\n";
    }
    for (const Position& p : table.viewPositions()) {
        const Colouring c = table.floorView(p.row, p.column, p.heading);
        out << "view " << p << " W=";
        putTiles(out, c.water);
        out << " B=";
        putTiles(out, c.bridge);
        out << '\n';
    }
    return out.str();
}

} // namespace render
