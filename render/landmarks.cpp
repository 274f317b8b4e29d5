#include "landmarks.h"

#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <string_view>

namespace render {

const std::array<const char*, FloorTileCount> FloorTileNames{"L0", "C0", "R0", "L1", "C1", "R1", "R2", "R3"};

namespace {

// A small reader over one line of scenery text.
class Reader {
public:
    explicit Reader(std::string_view text) : m_text(text) {}

    void skipSpaces()
    {
        while (m_pos < m_text.size() && m_text[m_pos] == ' ')
            ++m_pos;
    }
    bool atEnd()
    {
        skipSpaces();
        return m_pos >= m_text.size();
    }
    bool accept(char c)
    {
        skipSpaces();
        if (m_pos < m_text.size() && m_text[m_pos] == c) {
            ++m_pos;
            return true;
        }
        return false;
    }
    bool accept(std::string_view word)
    {
        skipSpaces();
        if (m_text.substr(m_pos, word.size()) != word)
            return false;
        m_pos += word.size();
        return true;
    }
    char peek()
    {
        skipSpaces();
        return m_pos < m_text.size() ? m_text[m_pos] : '\0';
    }
    std::optional<int> number()
    {
        skipSpaces();
        int value = 0;
        const std::size_t start = m_pos;
        while (m_pos < m_text.size() && std::isdigit(static_cast<unsigned char>(m_text[m_pos])))
            value = value * 10 + (m_text[m_pos++] - '0');
        if (m_pos == start)
            return std::nullopt;
        return value;
    }
    // "a" or "a-b", as an inclusive range.
    std::optional<std::pair<int, int>> range()
    {
        const auto first = number();
        if (!first)
            return std::nullopt;
        if (!accept('-'))
            return std::pair{*first, *first};
        const auto last = number();
        if (!last || *last < *first)
            return std::nullopt;
        return std::pair{*first, *last};
    }
    // Letters and digits up to the next space or punctuation.
    std::string_view word()
    {
        skipSpaces();
        const std::size_t start = m_pos;
        while (m_pos < m_text.size() && std::isalnum(static_cast<unsigned char>(m_text[m_pos])))
            ++m_pos;
        return m_text.substr(start, m_pos - start);
    }
    std::string_view rest() const { return m_text.substr(m_pos); }

private:
    std::string_view m_text;
    std::size_t m_pos = 0;
};

std::optional<int> tileByName(std::string_view name)
{
    for (int tile = 0; tile < FloorTileCount; ++tile)
        if (name == FloorTileNames[tile])
            return tile;
    return std::nullopt;
}

} // namespace

class LandmarkParser {
public:
    LandmarkParser(LandmarkTable& table, ParseReport& report) : m_table(table), m_report(report) {}

    void problem(std::string what) { m_report.problems.push_back(std::move(what)); }

    // "W tiles, B tiles (count): positions"
    void floorViewLine(std::string_view line)
    {
        Reader in(line);
        Colouring colouring;
        std::uint8_t* mask = nullptr;
        for (;;) {
            if (in.accept('W'))
                mask = &colouring.water;
            else if (in.accept('B'))
                mask = &colouring.bridge;
            else
                break;
            while (in.peek() != ',' && in.peek() != '(' && !in.atEnd()) {
                const std::string_view name = in.word();
                const auto tile = tileByName(name);
                if (!tile)
                    return problem("unknown tile in: " + std::string(line));
                *mask |= std::uint8_t(1u << *tile);
            }
            in.accept(',');
        }
        const auto stated = statedCount(in);
        if (!stated || colouring.empty())
            return problem("cannot read colouring of: " + std::string(line));
        int count = 0;
        while (!in.atEnd()) {
            if (!in.accept('('))
                return problem("expected a position in: " + std::string(line));
            const auto rows = in.range();
            const bool comma1 = in.accept(',');
            const auto columns = in.range();
            const bool comma2 = in.accept(',');
            const auto headings = in.range();
            if (!rows || !comma1 || !columns || !comma2 || !headings || !in.accept(')'))
                return problem("bad position in: " + std::string(line));
            for (int row = rows->first; row <= rows->second; ++row)
                for (int column = columns->first; column <= columns->second; ++column)
                    for (int heading = headings->first; heading <= headings->second; ++heading) {
                        addView({row, column, heading}, colouring, line);
                        ++count;
                    }
        }
        m_report.lineCounts.push_back(count);
        if (count != *stated)
            problem("stated " + std::to_string(*stated) + " positions, found " + std::to_string(count) + ": " +
                    std::string(line));
    }

    void waterways(std::string_view text)
    {
        if (text.empty())
            return;
        Reader in(text);
        const auto stated = statedCount(in);
        if (!stated)
            return problem("cannot read waterway count");
        int count = 0;
        while (!in.atEnd()) {
            const auto row = in.number();
            if (!row || !in.accept(':'))
                return problem("bad waterway row near: " + std::string(in.rest()));
            do {
                const auto columns = in.range();
                if (!columns)
                    return problem("bad waterway columns near: " + std::string(in.rest()));
                for (int column = columns->first; column <= columns->second; ++column) {
                    if (!inRange(*row, column))
                        return problem("waterway cell off the grid");
                    if (m_table.m_water.test(LandmarkTable::index(*row, column)))
                        problem("waterway cell listed twice");
                    m_table.m_water.set(LandmarkTable::index(*row, column));
                    ++count;
                }
            } while (in.accept(','));
            in.accept(';');
        }
        m_report.waterwayCount = count;
        if (count != *stated)
            problem("stated " + std::to_string(*stated) + " waterway cells, found " + std::to_string(count));
    }

    void shrine(const char* text)
    {
        if (!text)
            return;
        Reader in(text);
        Shrine shrine;
        if (!in.accept("far") || !position(in, shrine.farView) || !in.accept("near") ||
            !position(in, shrine.nearView) || !in.accept("marks"))
            return problem(std::string("cannot read shrine: ") + text);
        while (!in.atEnd()) {
            const bool open = in.accept('(');
            const auto row = in.number();
            const bool comma = in.accept(',');
            const auto column = in.number();
            if (!open || !row || !comma || !column || !in.accept(')') || !inRange(*row, *column))
                return problem(std::string("bad bridge mark in: ") + text);
            shrine.bridgeMarks.push_back({*row, *column});
        }
        m_table.m_shrine = std::move(shrine);
    }

    void blackens(bool value) { m_table.m_blackens = value; }

private:
    static bool inRange(int row, int column) { return game::onGrid(row, column); }

    std::optional<int> statedCount(Reader& in)
    {
        if (!in.accept('('))
            return std::nullopt;
        const auto count = in.number();
        if (!count || !in.accept(')') || !in.accept(':'))
            return std::nullopt;
        return count;
    }

    bool position(Reader& in, Position& out)
    {
        if (!in.accept('('))
            return false;
        const auto row = in.number();
        const bool comma1 = in.accept(',');
        const auto column = in.number();
        const bool comma2 = in.accept(',');
        const auto heading = in.number();
        if (!row || !comma1 || !column || !comma2 || !heading || !in.accept(')'))
            return false;
        out = {*row, *column, *heading};
        return inRange(*row, *column) && *heading < 4;
    }

    void addView(Position p, Colouring colouring, std::string_view line)
    {
        if (!inRange(p.row, p.column) || p.heading > 3)
            return problem("position off the grid in: " + std::string(line));
        Colouring& slot = m_table.m_views[LandmarkTable::index(p.row, p.column) * 4 + p.heading];
        if (!slot.empty())
            problem("position (" + std::to_string(p.row) + "," + std::to_string(p.column) + "," +
                    std::to_string(p.heading) + ") listed twice");
        slot = colouring;
    }

    LandmarkTable& m_table;
    ParseReport& m_report;
};

LandmarkTable parseScenery(const SceneryText& text, ParseReport& report)
{
    LandmarkTable table;
    LandmarkParser parser(table, report);
    parser.waterways(text.waterways);
    parser.shrine(text.shrine);
    for (const char* line : text.floorViews)
        parser.floorViewLine(line);
    int total = 0;
    for (int count : report.lineCounts)
        total += count;
    if (total != text.floorViewCount)
        parser.problem("stated " + std::to_string(text.floorViewCount) + " floor-view positions, found " +
                       std::to_string(total));
    parser.blackens(text.blackensNearBand);
    return table;
}

const LandmarkTable& landmarks(int maze)
{
    static const std::array<LandmarkTable, game::MazeCount> tables = [] {
        std::array<LandmarkTable, game::MazeCount> all;
        for (int m = 0; m < game::MazeCount; ++m) {
            ParseReport report;
            all[m] = parseScenery(Scenery[m], report);
            // The data is built in; a slip in it is a programming error
            // that the tests catch first.
            for (const std::string& problem : report.problems)
                std::fprintf(stderr, "scenery of maze %d: %s\n", m, problem.c_str());
            if (!report.problems.empty())
                std::abort();
        }
        return all;
    }();
    return tables[maze];
}

std::vector<Position> LandmarkTable::viewPositions() const
{
    std::vector<Position> out;
    for (int row = 0; row < game::MazeSize; ++row)
        for (int column = 0; column < game::MazeSize; ++column)
            for (int heading = 0; heading < 4; ++heading)
                if (!floorView(row, column, heading).empty())
                    out.push_back({row, column, heading});
    return out;
}

std::vector<game::Cell> LandmarkTable::waterwayCells() const
{
    std::vector<game::Cell> out;
    for (int row = 0; row < game::MazeSize; ++row)
        for (int column = 0; column < game::MazeSize; ++column)
            if (isWaterway(row, column))
                out.push_back({row, column});
    return out;
}

namespace {
std::string tileList(std::uint8_t mask)
{
    std::string out;
    for (int tile = 0; tile < FloorTileCount; ++tile)
        if (mask & (1u << tile))
            out += (out.empty() ? "" : ",") + std::string(FloorTileNames[tile]);
    return out.empty() ? "-" : out;
}

std::string triple(const Position& p)
{
    return std::to_string(p.row) + " " + std::to_string(p.column) + " " + std::to_string(p.heading);
}
} // namespace

std::string describe(const LandmarkTable& table)
{
    std::string out;
    for (const game::Cell& cell : table.waterwayCells())
        out += "waterway " + std::to_string(cell.row) + " " + std::to_string(cell.column) + "\n";
    out += table.blackensNearBand() ? "blackens 1\n" : "blackens 0\n";
    if (const auto& shrine = table.shrine()) {
        out += "shrine far " + triple(shrine->farView) + " near " + triple(shrine->nearView) + " marks";
        for (const game::Cell& mark : shrine->bridgeMarks)
            out += " " + std::to_string(mark.row) + " " + std::to_string(mark.column);
        out += "\n";
    } else {
        out += "shrine none\n";
    }
    for (const Position& p : table.viewPositions()) {
        const Colouring c = table.floorView(p.row, p.column, p.heading);
        out += "view " + triple(p) + " W=" + tileList(c.water) + " B=" + tileList(c.bridge) + "\n";
    }
    return out;
}

} // namespace render
