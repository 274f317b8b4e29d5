// The scenario driver in-process: the runner that reads the lines, and
// whole games played through a Playfield with it and its scripted clock.
#include "tools/headless.h"

#include "ui/notices.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <deque>
#include <sstream>
#include <streambuf>
#include <system_error>
#include <string>
#include <vector>

namespace {

// A created window's worth of game, with its scripted clock and a runner.
struct Rig : tools::HeadlessGame {
    game::Game& game = playfield.game;

    explicit Rig(std::uint64_t seed = 1) : HeadlessGame(seed) {}
    // Runs lines; every one must be valid.
    void run(const std::string& script)
    {
        std::istringstream in(script);
        ASSERT_EQ(runner.run(in), tools::ScriptOk) << err.str();
    }
};

// Gives text, then fails as a file stream does when the disk does.
class FailingBuffer final : public std::streambuf {
public:
    explicit FailingBuffer(std::string text) : m_text(std::move(text))
    {
        setg(m_text.data(), m_text.data(), m_text.data() + m_text.size());
    }

protected:
    int_type underflow() override
    {
        throw std::ios::failure("read error", std::error_code(EIO, std::generic_category()));
    }

private:
    std::string m_text;
};

} // namespace

// Along a shortest route from slot 0 in every maze, played on a Playfield:
// the last turn to face the opening wins, the countdown stops with the
// seconds left, and the buttons go dead.
TEST(Playfield, ShortestRouteEndsInTheWonStateInEveryMaze)
{
    constexpr game::Cell Offsets[4] = {{1, 0}, {0, -1}, {-1, 0}, {0, 1}};
    for (int maze = 0; maze < game::MazeCount; ++maze) {
        SCOPED_TRACE("maze " + std::to_string(maze));
        // Breadth-first from the goal, so each cell knows its way onward.
        std::vector<int> onward(game::MazeCells, -1);
        std::deque<game::Cell> queue{{1, 1}};
        onward[1 * game::MazeSize + 1] = 4;
        while (!queue.empty()) {
            const game::Cell here = queue.front();
            queue.pop_front();
            for (int h = 0; h < 4; ++h) {
                const game::Cell next{here.row - Offsets[h].row, here.column - Offsets[h].column};
                if (!game::onGrid(next.row, next.column) || game::IsWall(maze, next.row, next.column))
                    continue;
                if (onward[next.row * game::MazeSize + next.column] >= 0)
                    continue;
                onward[next.row * game::MazeSize + next.column] = h;
                queue.push_back(next);
            }
        }

        Rig rig;
        rig.run("map " + std::to_string(maze) + "\nstart\ncountdown 7\ntick\n");
        int steps = 0;
        for (int way; (way = onward[rig.game.player().row * game::MazeSize + rig.game.player().column]) != 4;) {
            ASSERT_GE(way, 0);
            const int turn = (way - rig.game.player().direction() + 4) % 4;
            rig.run(turn == 3 ? "right\n" : turn == 2 ? "left\nleft\n" : turn == 1 ? "left\n" : "");
            rig.run("forward\ntick\n");
            ASSERT_TRUE(rig.game.GameActive()) << "after " << steps << " steps";
            ASSERT_LE(++steps, 69);
        }
        EXPECT_EQ(rig.playfield.beeps, steps);
        if (rig.game.player().heading != 1) {
            EXPECT_TRUE(rig.game.GameActive());
            rig.run(rig.game.player().heading == 2 ? "right\ntick\n" : "left\ntick\n");
        }
        EXPECT_EQ(rig.out.str(), "");
        // A route through water leaves its splash on show; no other notice is due at 293.
        const std::string notice = ui::noticeText(rig.game.notice()).toStdString();
        EXPECT_TRUE(notice.empty() || notice == "ボチャ") << notice;
        rig.run("state\n");
        EXPECT_EQ(rig.out.str(), "maze=" + std::to_string(maze) +
                                     " slot=0 row=1 col=1 heading=1 active=0 time=293 remaining=293 period=0 "
                                     "limit=300 dusk=0 trapped=0 won=1 label2=\"" +
                                     std::to_string(maze) + "\" label4=\"" + notice + "\"\n");

        // Won: the buttons do nothing, and time no longer passes.
        rig.out.str("");
        rig.run("forward\nleft\nwait 5000\nstate\n");
        EXPECT_EQ(rig.playfield.beeps, steps);
        EXPECT_NE(rig.out.str().find(" row=1 col=1 heading=1 active=0 time=293 "), std::string::npos);
    }
}

// What a message echoes from the script is short and shows as itself on a
// terminal: a huge token (as long as a line may be) is cut at 40
// characters, bytes that are not printable text are written as \xNN,
// printable characters of any width stay.
TEST(ScriptRunner, MessagesEchoTheScriptShortAndPrintable)
{
    Rig rig;
    std::istringstream huge("map 0\n" + std::string(tools::MaxLineLength, 'x') + "\nstate\n");
    EXPECT_EQ(rig.runner.run(huge), tools::ScriptBadInput);
    EXPECT_EQ(rig.err.str(), "vesmor-script: line 2: unknown command '" + std::string(40, 'x') + "...'\n");

    tools::ScriptLine line;
    EXPECT_EQ(tools::parseScriptLine("ma\x1b[2Jp 0", line), "unknown command 'ma\\x1B[2Jp'");
    EXPECT_EQ(tools::parseScriptLine("wait 1\xff\xc0\xaf\xef\xbb\xbf", line),
              "'wait': '1\\xFF\\xC0\\xAF\\xEF\\xBB\\xBF' is not a number from 0 to 3600000");
    std::string wide;
    for (int i = 0; i < 41; ++i)
        wide += "３";
    EXPECT_EQ(tools::parseScriptLine("time " + wide, line),
              "'time': '" + wide.substr(0, 40 * 3) + "...' is not one of 180 240 300 360");
}

// Scripts as editors and shells leave them: a byte-order mark before the
// first line, file names with spaces, carriage returns. A read error midway
// is a failure, not the end of the script.
TEST(ScriptRunner, ReadsScriptsAsEditorsWriteThemAndStopsAtAReadError)
{
    Rig bom;
    bom.run("\xEF\xBB\xBFmap 3\nslot 0\nstart\nstate\n");
    EXPECT_EQ(bom.out.str().rfind("maze=3 slot=0 row=28 col=29 ", 0), 0u) << bom.out.str();

    tools::ScriptLine line;
    EXPECT_EQ(tools::parseScriptLine("  scene   my view.png   # at noon", line), std::nullopt);
    EXPECT_EQ(line.file, "my view.png");
    EXPECT_EQ(tools::parseScriptLine("window\t/tmp/a  b.png\r", line), std::nullopt);
    EXPECT_EQ(line.file, "/tmp/a  b.png");
    EXPECT_EQ(tools::parseScriptLine("map-image # none", line), "'map-image' takes 1 argument, got 0");

    Rig broken;
    FailingBuffer buffer("map 3\nstate\nsta");
    std::istream in(&buffer);
    EXPECT_EQ(broken.runner.run(in, "game.vms"), tools::ScriptFileError);
    const std::string played = broken.out.str();
    EXPECT_EQ(std::count(played.begin(), played.end(), '\n'), 1);  // the state before the error
    EXPECT_EQ(broken.err.str(), "vesmor-script: cannot read 'game.vms': Input/output error\n");
}
