// The scenario language of vesmor-script: one command a line, '#' starts a
// comment. See the README for the commands.
#pragma once

#include "controls.h"
#include "scriptclock.h"

#include <iosfwd>
#include <string>
#include <vector>

namespace tools {

// Exit statuses of a script run.
constexpr int ScriptOk = 0;
constexpr int ScriptFileError = 1;  // a file could not be read or written
constexpr int ScriptBadInput = 2;   // a line that is not a valid command

class ScriptRunner {
public:
    ScriptRunner(Controls& controls, ScriptClock& clock, std::ostream& out, std::ostream& err);

    // Runs every line; stops at the first bad one. Returns the exit status.
    int run(std::istream& in);
    // Runs one line (already numbered by the caller); returns the status.
    int runLine(const std::string& line, int number);

private:
    int execute(const std::vector<std::string>& words, int number);
    int fail(int number, const std::string& what, int status = ScriptBadInput);

    Controls& m_controls;
    ScriptClock& m_clock;
    std::ostream& m_out;
    std::ostream& m_err;
};

// The state line printed by the "state" command.
std::string stateLine(const render::Session& session);
// The maze in play as 30 lines of '#' and '.', one line per column.
std::string mazePicture(int maze);

} // namespace tools
