// A reader for the notation the game's scenery is written in: numbers,
// ranges "a-b", positions "(row,column,heading)", stated counts "(n):".
// Everything is constexpr, so the tables are read, and checked, while the
// program is compiled: a slip in them stops the build with the message of
// the `throw` it reaches.
#pragma once

#include "maze.h"

#include <string_view>

namespace game::notation {

struct Range {
    int first = 0;
    int last = 0;
};

struct Position {
    int row = 0;
    int column = 0;
    int heading = 0;
    friend constexpr bool operator==(const Position&, const Position&) = default;
};

class Reader {
public:
    constexpr explicit Reader(std::string_view text) : m_text(text) {}

    constexpr bool atEnd()
    {
        skipSpaces();
        return m_pos >= m_text.size();
    }
    constexpr char peek()
    {
        skipSpaces();
        return m_pos < m_text.size() ? m_text[m_pos] : '\0';
    }
    constexpr bool accept(char c)
    {
        if (peek() != c)
            return false;
        ++m_pos;
        return true;
    }
    constexpr bool accept(std::string_view word)
    {
        skipSpaces();
        if (m_text.substr(m_pos, word.size()) != word)
            return false;
        m_pos += word.size();
        return true;
    }
    constexpr void expect(char c)
    {
        if (!accept(c))
            throw "scenery text: unexpected character";
    }
    constexpr int number()
    {
        skipSpaces();
        const std::size_t start = m_pos;
        int value = 0;
        while (m_pos < m_text.size() && m_text[m_pos] >= '0' && m_text[m_pos] <= '9')
            value = value * 10 + (m_text[m_pos++] - '0');
        if (m_pos == start)
            throw "scenery text: a number is missing";
        return value;
    }
    // "a" or "a-b", as an inclusive range.
    constexpr Range range()
    {
        const int first = number();
        const int last = accept('-') ? number() : first;
        if (last < first)
            throw "scenery text: a range runs backwards";
        return {first, last};
    }
    // Letters and digits up to the next space or punctuation.
    constexpr std::string_view word()
    {
        skipSpaces();
        const std::size_t start = m_pos;
        while (m_pos < m_text.size() && isWordCharacter(m_text[m_pos]))
            ++m_pos;
        return m_text.substr(start, m_pos - start);
    }
    // "(n):", the number of items a line says it lists.
    constexpr int statedCount()
    {
        expect('(');
        const int count = number();
        expect(')');
        expect(':');
        return count;
    }
    // "(row,column,heading)" on the grid, heading 0 to 3.
    constexpr Position position()
    {
        expect('(');
        Position p;
        p.row = number();
        expect(',');
        p.column = number();
        expect(',');
        p.heading = number();
        expect(')');
        if (!onGrid(p.row, p.column) || p.heading > 3)
            throw "scenery text: a position lies off the grid";
        return p;
    }

private:
    static constexpr bool isWordCharacter(char c)
    {
        return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
    }
    constexpr void skipSpaces()
    {
        while (m_pos < m_text.size() && m_text[m_pos] == ' ')
            ++m_pos;
    }

    std::string_view m_text;
    std::size_t m_pos = 0;
};

} // namespace game::notation
