#include "script.h"

#include "render/landmarks.h"

#include <istream>
#include <ostream>
#include <sstream>

namespace tools {

namespace {

// Limits that keep one line of a script to a bounded amount of work.
constexpr long MaxRepeat = 100000;       // tick N, countdown N
constexpr long MaxWait = 3600000;        // wait MS: one hour of game time

std::vector<std::string> splitWords(const std::string& line)
{
    std::vector<std::string> words;
    std::istringstream in(line.substr(0, line.find('#')));
    for (std::string word; in >> word;)
        words.push_back(word);
    return words;
}

// A decimal number without sign within [low, high], or -1.
long parseNumber(const std::string& word, long low, long high)
{
    if (word.empty() || word.size() > 9)
        return -1;
    long value = 0;
    for (char c : word) {
        if (c < '0' || c > '9')
            return -1;
        value = value * 10 + (c - '0');
    }
    return value >= low && value <= high ? value : -1;
}

struct Command {
    const char* name;
    int minArgs;
    int maxArgs;
};

constexpr Command Commands[] = {
    {"map", 1, 1},       {"time", 1, 1},     {"start", 0, 0},      {"redo", 0, 0},
    {"left", 0, 0},      {"right", 0, 0},    {"forward", 0, 0},    {"release", 0, 0},
    {"probe", 0, 0},     {"unprobe", 0, 0},  {"help", 0, 0},       {"tick", 0, 1},
    {"countdown", 0, 1}, {"wait", 1, 1},     {"place", 3, 3},      {"slot", 1, 1},
    {"state", 0, 0},     {"print-maze", 0, 0}, {"scene", 1, 1},    {"map-image", 1, 1},
    {"landmarks", 0, 0}, {"window", 1, 1},
};

const Command* findCommand(const std::string& name)
{
    for (const Command& command : Commands)
        if (name == command.name)
            return &command;
    return nullptr;
}

std::string argumentCount(const Command& command)
{
    if (command.minArgs == command.maxArgs)
        return command.minArgs == 0 ? "no arguments" : command.minArgs == 1 ? "1 argument"
                                                                             : std::to_string(command.minArgs) + " arguments";
    return std::to_string(command.minArgs) + " to " + std::to_string(command.maxArgs) + " arguments";
}

} // namespace

ScriptRunner::ScriptRunner(Controls& controls, ScriptClock& clock, std::ostream& out, std::ostream& err)
    : m_controls(controls), m_clock(clock), m_out(out), m_err(err)
{
}

int ScriptRunner::run(std::istream& in)
{
    int number = 0;
    for (std::string line; std::getline(in, line);) {
        const int status = runLine(line, ++number);
        if (status != ScriptOk)
            return status;
    }
    return ScriptOk;
}

int ScriptRunner::runLine(const std::string& line, int number)
{
    const std::vector<std::string> words = splitWords(line);
    if (words.empty())
        return ScriptOk;
    return execute(words, number);
}

int ScriptRunner::fail(int number, const std::string& what, int status)
{
    m_err << "vesmor-script: line " << number << ": " << what << "\n";
    return status;
}

int ScriptRunner::execute(const std::vector<std::string>& words, int number)
{
    const std::string& name = words[0];
    const Command* command = findCommand(name);
    if (!command)
        return fail(number, "unknown command '" + name + "'");
    const int args = int(words.size()) - 1;
    if (args < command->minArgs || args > command->maxArgs)
        return fail(number, "'" + name + "' takes " + argumentCount(*command) + ", got " + std::to_string(args));

    // The n-th argument as a number in [low, high], or an error.
    long value[3] = {0, 0, 0};
    auto number_ = [&](int n, long low, long high) {
        value[n] = parseNumber(words[n + 1], low, high);
        if (value[n] < 0)
            fail(number, "'" + name + "': '" + words[n + 1] + "' is not a number from " + std::to_string(low) +
                             " to " + std::to_string(high));
        return value[n] >= 0;
    };
    const long repeat = args == 0 ? 1 : 0;

    render::Session& session = m_controls.session();
    game::Game& game = session.game;
    if (name == "map") {
        if (!number_(0, 0, game::MazeCount - 1))
            return ScriptBadInput;
        m_controls.chooseMaze(int(value[0]));
    } else if (name == "time") {
        const long seconds = parseNumber(words[1], 0, 999);
        if (seconds != 180 && seconds != 240 && seconds != 300 && seconds != 360)
            return fail(number, "'time': '" + words[1] + "' is not one of 180 240 300 360");
        m_controls.chooseTimeLimit(int(seconds));
    } else if (name == "start") {
        m_controls.start();
    } else if (name == "redo") {
        m_controls.redo();
    } else if (name == "left") {
        m_controls.left();
    } else if (name == "right") {
        m_controls.right();
    } else if (name == "forward") {
        m_controls.forward();
    } else if (name == "release") {
        m_controls.release();
    } else if (name == "probe") {
        m_controls.probe();
    } else if (name == "unprobe") {
        m_controls.unprobe();
    } else if (name == "help") {
        m_controls.help();
    } else if (name == "tick" || name == "countdown") {
        if (args == 1 && !number_(0, 0, MaxRepeat))
            return ScriptBadInput;
        const long times = args == 1 ? value[0] : repeat;
        for (long i = 0; i < times; ++i) {
            if (name == "tick")
                m_controls.tick();
            else
                game.Timer2Timer();
        }
    } else if (name == "wait") {
        if (!number_(0, 0, MaxWait))
            return ScriptBadInput;
        m_clock.wait(value[0]);
    } else if (name == "place") {
        if (!number_(0, 0, game::MazeSize - 1) || !number_(1, 0, game::MazeSize - 1) || !number_(2, 0, 19))
            return ScriptBadInput;
        if (value[2] > 3 && value[2] < 16)
            return fail(number, "'place': heading '" + words[3] + "' is not 0 to 3 or 16 to 19");
        game.placeAt({std::uint8_t(value[0]), std::uint8_t(value[1]), std::uint8_t(value[2])});
    } else if (name == "slot") {
        if (!number_(0, 0, game::StartSlotCount - 1))
            return ScriptBadInput;
        game.StartSlot = int(value[0]);
    } else if (name == "state") {
        m_out << stateLine(session) << "\n";
    } else if (name == "print-maze") {
        m_out << mazePicture(game.MazeIndex);
    } else if (name == "scene" || name == "map-image") {
        const QImage& image = name == "scene" ? session.sceneBitmap() : session.mapImage();
        if (!image.save(QString::fromStdString(words[1]), "PNG"))
            return fail(number, "cannot write '" + words[1] + "'", ScriptFileError);
    } else if (name == "landmarks") {
        m_out << render::describe(render::landmarks(game.MazeIndex));
    } else if (name == "window") {
        if (!m_controls.hasWindow())
            return fail(number, "'window' is not available: this build has no main window");
        if (!m_controls.writeWindow(words[1]))
            return fail(number, "cannot write '" + words[1] + "'", ScriptFileError);
    }
    m_out.flush();
    return ScriptOk;
}

std::string stateLine(const render::Session& session)
{
    const game::Game& g = session.game;
    std::ostringstream line;
    line << "maze=" << g.MazeIndex << " slot=" << g.StartSlot << " row=" << int(g.player.row)
         << " col=" << int(g.player.column) << " heading=" << int(g.player.heading)
         << " active=" << int(g.GameActive) << " time=" << g.window.timeEdit << " remaining=" << g.RemainingTime
         << " period=" << g.countdown.interval() << " limit=" << g.TimeLimit << " dusk=" << int(g.DuskNoticeShown)
         << " trapped=" << int(g.window.panel1Visible) << " won=" << int(g.window.panel2Visible) << " label2=\""
         << g.window.label2 << "\" label4=\"" << g.window.label4 << "\"";
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
