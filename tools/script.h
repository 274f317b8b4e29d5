// The scenario language of vesmor-script: one command a line, '#' starts a
// comment. The README lists the commands.
#pragma once

#include "controls.h"
#include "scriptclock.h"

#include <QImage>

#include <functional>
#include <iosfwd>
#include <optional>
#include <string>
#include <vector>

namespace tools {

// Exit statuses of a script run.
constexpr int ScriptOk = 0;
constexpr int ScriptFileError = 1;  // a file could not be read or written
constexpr int ScriptBadInput = 2;   // a line that is not a valid command

// Limits that keep one line of a script to a bounded amount of work and
// memory.
constexpr long MaxRepeat = 100000;  // tick N, countdown N
constexpr long MaxWait = 3600000;   // wait MS: one hour of game time
constexpr std::size_t MaxLineLength = 4096;  // bytes, without LF or CR LF: room for any file name

// One line read and checked: a command with its numbers or its file name.
struct ScriptLine {
    std::string command;      // empty for a blank or comment line
    std::vector<long> numbers;
    std::string file;         // the rest of the line, so it may hold spaces
};

// How much of a token or a file name a message echoes.
constexpr std::size_t QuotedToken = 40;
constexpr std::size_t QuotedFile = 200;

// Text from the script or the command line, in quotes for a message: cut
// at most characters (then "..."), and any byte that would not show as
// itself on a terminal (control bytes, invisible characters, broken UTF-8)
// written as \xNN.
std::string quoted(const std::string& text, std::size_t most = QuotedToken);

// Writes image to file as PNG, whole or not at all (see wholefile.h).
// Returns what went wrong, as the system says it, or nothing.
std::optional<std::string> writePng(const QImage& image, const std::string& file);

// Every command with its arguments, as a usage shows them.
std::string commandForms();

// Reads one line. Returns what is wrong with it, or nothing when it is a
// valid command (or blank).
std::optional<std::string> parseScriptLine(const std::string& text, ScriptLine& line);

class ScriptRunner {
public:
    ScriptRunner(Controls& controls, ScriptClock& clock, std::ostream& out, std::ostream& err);

    // Runs every line; stops at the first bad one, at one longer than
    // MaxLineLength, or when the script cannot be read further (name is the
    // script's name for that message). A byte-order mark before the first
    // line is skipped. Returns the exit status.
    int run(std::istream& in, const std::string& name = "-");
    // Runs one line; number is its line number for messages.
    int runLine(const std::string& text, int number);
    // Runs a line already read.
    int execute(const ScriptLine& line, int number);

    // Where PNG files go; fuzzing keeps them in memory.
    std::function<std::optional<std::string>(const QImage&, const std::string&)> saveImage = writePng;

private:
    int fail(int number, const std::string& what, int status);
    int save(const QImage& image, const std::string& file, int number);

    Controls& m_controls;
    ScriptClock& m_clock;
    std::ostream& m_out;
    std::ostream& m_err;
};

// The state line printed by the "state" command.
std::string stateLine(const play::Playfield& playfield);
// The maze in play as 30 lines of '#' and '.', one line per column.
std::string mazePicture(int maze);

} // namespace tools
