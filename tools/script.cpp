#include "script.h"
#include "wholefile.h"

#include "render/scenery.h"
#include "ui/notices.h"
#include "ui/palette.h"

#include <QBuffer>
#include <QChar>

#include <algorithm>
#include <istream>
#include <ostream>
#include <sstream>

namespace tools {

namespace {

// What separates words: the spaces a stream's >> skips.
constexpr const char* Spaces = " \t\n\v\f\r";

// A line without its comment.
std::string code(const std::string& text) { return text.substr(0, text.find('#')); }

std::vector<std::string> splitWords(const std::string& text)
{
    std::vector<std::string> words;
    std::istringstream in(code(text));
    for (std::string word; in >> word;)
        words.push_back(word);
    return words;
}

// Everything after the command word, without the spaces around it.
std::string restOfLine(const std::string& text)
{
    const std::string line = code(text);
    const std::size_t word = line.find_first_not_of(Spaces);
    const std::size_t from = line.find_first_not_of(Spaces, line.find_first_of(Spaces, word));
    if (from == std::string::npos)
        return {};
    return line.substr(from, line.find_last_not_of(Spaces) - from + 1);
}

// The character that starts at text[i] and its length in bytes; a length
// of 0 when the bytes there are not UTF-8.
std::pair<char32_t, std::size_t> decodeUtf8(const std::string& text, std::size_t i)
{
    const auto byte = [&](std::size_t k) { return k < text.size() ? static_cast<unsigned char>(text[k]) : 0u; };
    const unsigned lead = byte(i);
    const std::size_t length = lead < 0x80 ? 1 : lead < 0xC2 ? 0 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : lead < 0xF5 ? 4 : 0;
    if (length == 0)
        return {0, 0};
    char32_t c = length == 1 ? lead : lead & (0x3F >> (length - 1));
    for (std::size_t k = 1; k < length; ++k) {
        if ((byte(i + k) & 0xC0) != 0x80)
            return {0, 0};
        c = (c << 6) | (byte(i + k) & 0x3F);
    }
    constexpr char32_t Least[] = {0, 0, 0x80, 0x800, 0x10000};  // shorter forms are not UTF-8
    if (c < Least[length] || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF))
        return {0, 0};
    return {c, length};
}

void appendEscaped(std::string& out, unsigned char byte)
{
    constexpr char Hex[] = "0123456789ABCDEF";
    out += "\\x";
    out += Hex[byte >> 4];
    out += Hex[byte & 15];
}

// A decimal number without sign within [low, high].
std::optional<long> parseNumber(const std::string& word, long low, long high)
{
    if (word.empty() || word.size() > 9)
        return std::nullopt;
    long value = 0;
    for (char c : word) {
        if (c < '0' || c > '9')
            return std::nullopt;
        value = value * 10 + (c - '0');
    }
    if (value < low || value > high)
        return std::nullopt;
    return value;
}

// What each command takes: numbers in ranges, or one file name.
struct Range {
    long low, high;
};
struct Syntax {
    const char* name;
    int optional;               // how many trailing numbers may be left out
    std::vector<Range> numbers;
    bool file = false;
    const char* arguments = "";  // as --help shows them
};

// The script's repeatable actions: "tick N", "countdown N".
bool repeats(const play::Action& action)
{
    return action.act == play::Act::Tick || action.act == play::Act::Countdown;
}

Syntax syntaxOf(const play::Action& action)
{
    switch (action.takes) {
    case play::Takes::Maze: return {action.name, 0, {{0, game::MazeCount - 1}}, false, "N"};
    case play::Takes::Seconds: return {action.name, 0, {{0, 999}}, false, "S"};
    case play::Takes::Nothing: break;
    }
    return repeats(action) ? Syntax{action.name, 1, {{0, MaxRepeat}}, false, "[N]"} : Syntax{action.name, 0, {}};
}

// The player's actions, then the driver's own commands.
const std::vector<Syntax>& syntaxes()
{
    static const std::vector<Syntax> all = [] {
        std::vector<Syntax> syntaxes;
        for (const play::Action& action : play::Actions)
            syntaxes.push_back(syntaxOf(action));
        syntaxes.insert(syntaxes.end(), {
            {"wait", 0, {{0, MaxWait}}, false, "MS"},
            {"place", 0, {{0, game::MazeSize - 1}, {0, game::MazeSize - 1}, {0, 19}}, false, "ROW COL HEADING"},
            {"slot", 0, {{0, game::StartSlotCount - 1}}, false, "N"},
            {"state", 0, {}},
            {"print-maze", 0, {}},
            {"scene", 0, {}, true, "FILE"},
            {"map-image", 0, {}, true, "FILE"},
            {"landmarks", 0, {}},
            {"window", 0, {}, true, "FILE"},
        });
        return syntaxes;
    }();
    return all;
}

std::string plural(int n, const char* word) { return std::to_string(n) + " " + word + (n == 1 ? "" : "s"); }

std::string expectedArguments(const Syntax& syntax)
{
    const int most = int(syntax.numbers.size()) + (syntax.file ? 1 : 0);
    const int least = most - syntax.optional;
    if (most == 0)
        return "no arguments";
    if (least == most)
        return plural(most, "argument");
    return std::to_string(least) + " or " + plural(most, "argument");
}

} // namespace

std::optional<std::string> parseScriptLine(const std::string& text, ScriptLine& line)
{
    line = {};
    const std::vector<std::string> words = splitWords(text);
    if (words.empty())
        return std::nullopt;
    const std::string& name = words[0];
    const Syntax* syntax = nullptr;
    for (const Syntax& s : syntaxes())
        if (name == s.name)
            syntax = &s;
    if (!syntax)
        return "unknown command " + quoted(name);

    if (syntax->file)
        line.file = restOfLine(text);
    const int args = syntax->file ? !line.file.empty() : int(words.size()) - 1;
    const int most = int(syntax->numbers.size()) + (syntax->file ? 1 : 0);
    if (args < most - syntax->optional || args > most)
        return "'" + name + "' takes " + expectedArguments(*syntax) + ", got " + std::to_string(args);
    if (!syntax->file) {
        for (int i = 0; i < args; ++i) {
            const Range range = syntax->numbers[i];
            const auto value = parseNumber(words[i + 1], range.low, range.high);
            if (name == "time" && (!value || (*value != 180 && *value != 240 && *value != 300 && *value != 360)))
                return "'time': " + quoted(words[1]) + " is not one of 180 240 300 360";
            if (!value)
                return "'" + name + "': " + quoted(words[i + 1]) + " is not a number from " + std::to_string(range.low) +
                       " to " + std::to_string(range.high);
            line.numbers.push_back(*value);
        }
    }
    if (name == "place" && line.numbers[2] > 3 && line.numbers[2] < 16)
        return "'place': heading " + quoted(words[3]) + " is not 0 to 3 or 16 to 19";
    line.command = name;
    return std::nullopt;
}

std::string commandForms()
{
    std::string out, row = " ";
    for (const Syntax& syntax : syntaxes()) {
        const std::string form = std::string(syntax.name) + (*syntax.arguments ? " " : "") + syntax.arguments;
        if (row.size() + form.size() + 2 > 72) {
            out += row + "\n";
            row = " ";
        }
        row += " " + form + (&syntax == &syntaxes().back() ? "" : ",");
    }
    return out + row + "\n";
}

std::string quoted(const std::string& text, std::size_t most)
{
    std::string out = "'";
    std::size_t i = 0;
    for (std::size_t shown = 0; i < text.size() && shown < most; ++shown) {
        const auto [c, length] = decodeUtf8(text, i);
        if (length > 0 && QChar::isPrint(c)) {
            out.append(text, i, length);
        } else {
            for (std::size_t k = 0; k < std::max<std::size_t>(length, 1); ++k)
                appendEscaped(out, static_cast<unsigned char>(text[i + k]));
        }
        i += std::max<std::size_t>(length, 1);
    }
    if (i < text.size())
        out += "...";
    return out + "'";
}

std::optional<std::string> writePng(const QImage& image, const std::string& file)
{
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    if (!image.save(&buffer, "PNG"))
        return "the picture could not be encoded as PNG";
    return writeFileWhole(file, std::string_view(png.constData(), std::size_t(png.size())));
}

ScriptRunner::ScriptRunner(Controls& controls, ScriptClock& clock, std::ostream& out, std::ostream& err)
    : m_controls(controls), m_clock(clock), m_out(out), m_err(err)
{
}

int ScriptRunner::run(std::istream& in, const std::string& name)
{
    const std::ios::iostate quiet = in.exceptions();
    int status = ScriptOk;
    // Each line goes through one buffer of fixed size, so that no input,
    // not even an endless line, makes the driver grow.
    std::vector<char> buffer(MaxLineLength + 2);
    try {
        in.exceptions(std::ios::badbit);  // a read error then throws, with the system's reason
        for (int number = 1; status == ScriptOk; ++number) {
            in.getline(buffer.data(), std::streamsize(buffer.size()));
            if (in.fail() && in.eof())
                break;  // nothing was left
            // A failure without the end means the buffer filled up; else
            // the newline, when there was one, is counted but not stored.
            const std::size_t read = std::size_t(in.gcount());
            std::size_t length = in.fail() || in.eof() ? read : read - 1;
            if (!in.fail() && length > 0 && buffer[length - 1] == '\r')
                --length;  // a line that ends in CR LF: its content is what counts
            if (length > MaxLineLength) {
                status = fail(number, "longer than " + std::to_string(MaxLineLength) + " bytes", ScriptBadInput);
                break;
            }
            std::string text(buffer.data(), length);
            if (number == 1 && text.starts_with("\xEF\xBB\xBF"))  // the byte-order mark some editors write
                text.erase(0, 3);
            status = runLine(text, number);
        }
    } catch (const std::ios::failure& error) {
        m_err << "vesmor-script: cannot read " << quoted(name, QuotedFile) << ": " << error.code().message() << "\n";
        status = ScriptFileError;
    }
    in.exceptions(quiet);
    return status;
}

int ScriptRunner::runLine(const std::string& text, int number)
{
    ScriptLine line;
    if (const auto problem = parseScriptLine(text, line))
        return fail(number, *problem, ScriptBadInput);
    return execute(line, number);
}

int ScriptRunner::fail(int number, const std::string& what, int status)
{
    m_err << "vesmor-script: line " << number << ": " << what << "\n";
    return status;
}

int ScriptRunner::execute(const ScriptLine& line, int number)
{
    const std::string& c = line.command;
    const auto n = [&](std::size_t i, long fallback = 1) { return i < line.numbers.size() ? line.numbers[i] : fallback; };
    play::Playfield& playfield = m_controls.playfield();
    game::Game& game = playfield.game;

    if (c.empty()) {
        return ScriptOk;
    } else if (const play::Action* action = play::actionNamed(c)) {
        const long times = repeats(*action) ? n(0) : 1;
        const int argument = action->takes == play::Takes::Nothing ? 0 : int(n(0));
        for (long i = 0; i < times; ++i)
            m_controls.perform(action->act, argument);
    } else if (c == "wait") {
        m_clock.wait(n(0));
    } else if (c == "place") {
        game.placeAt({std::uint8_t(n(0)), std::uint8_t(n(1)), std::uint8_t(n(2))});
    } else if (c == "slot") {
        game.chooseStartSlot(int(n(0)));
    } else if (c == "state") {
        m_out << stateLine(playfield) << "\n";
    } else if (c == "print-maze") {
        m_out << mazePicture(game.MazeIndex());
    } else if (c == "scene" || c == "map-image") {
        if (c == "scene" && !playfield.hasSceneBitmap())
            return fail(number, "the view's bitmap is gone", ScriptFileError);
        return save(ui::qImageOf(c == "scene" ? playfield.sceneBitmap() : playfield.mapBitmap()), line.file, number);
    } else if (c == "landmarks") {
        m_out << render::describe(game.MazeIndex());
    } else if (c == "window") {
        const std::optional<QImage> picture = m_controls.windowImage();
        if (!picture)
            return fail(number, "'window' is not available without the main window", ScriptBadInput);
        return save(*picture, line.file, number);
    }
    if (!m_out.flush())
        return fail(number, "cannot write standard output", ScriptFileError);
    return ScriptOk;
}

int ScriptRunner::save(const QImage& image, const std::string& file, int number)
{
    if (const auto problem = saveImage(image, file))
        return fail(number, "cannot write " + quoted(file, QuotedFile) + ": " + *problem, ScriptFileError);
    return ScriptOk;
}

std::string stateLine(const play::Playfield& playfield)
{
    const game::Game& g = playfield.game;
    std::ostringstream line;
    line << "maze=" << g.MazeIndex() << " slot=" << g.StartSlot() << " row=" << int(g.player().row)
         << " col=" << int(g.player().column) << " heading=" << int(g.player().heading)
         << " active=" << int(g.GameActive()) << " time=" << g.timeShown() << " remaining=" << g.RemainingTime()
         << " period=" << g.countdown().interval() << " limit=" << g.TimeLimit() << " dusk=" << int(g.DuskNoticeShown())
         << " trapped=" << int(g.panels().trapped) << " won=" << int(g.panels().won) << " label2=\"" << g.MazeIndex()
         << "\" label4=\"" << ui::noticeText(g.notice()).toStdString() << "\"";
    return line.str();
}

std::string mazePicture(int maze)
{
    std::string out;
    for (int column = 0; column < game::MazeSize; ++column) {
        for (int row = 0; row < game::MazeSize; ++row)
            out += game::IsWall(maze, row, column) ? '#' : '.';
        out += '\n';
    }
    return out;
}

} // namespace tools
