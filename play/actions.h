// Everything that changes a game from outside: the player's actions on the
// window's controls and the two timers. One table names them: the front
// ends' handlers play these rows (the layout's wiring says which control
// plays which) and the scenario driver's commands are their names, so all
// of them run the same code. Help, About and Quit open a window and change
// nothing of the game: each front end opens its own. A new action is one
// row here (and, where a front end shows it, one handler there).
#pragma once

#include "playfield.h"

#include <array>
#include <string_view>

namespace play {

enum class Act { ChooseMaze, ChooseTime, Start, Redo, Left, Right, Forward, Release, Probe, Unprobe, Help, About, Quit, Tick,
                 Countdown };

// What an action needs besides its name: a maze number or a time limit.
enum class Takes { Nothing, Maze, Seconds };

struct Action {
    Act act;
    const char* name;  // the scenario driver's command
    Takes takes;
    void (*play)(Playfield& playfield, int argument);  // on the game and its pictures
};

extern const std::array<Action, 15> Actions;

const Action& action(Act act);
const Action* actionNamed(std::string_view name);

// Whether a row takes this argument: a maze that exists, a time limit the
// menu offers, and 0 for the rows that take nothing.
bool takes(const Action& action, int argument);

inline void play(Playfield& playfield, Act act, int argument = 0) { action(act).play(playfield, argument); }

} // namespace play
