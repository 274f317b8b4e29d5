#include "actions.h"

namespace play {

// "forward" is a whole click: the button pressed
// and let go over it, which also resets the map's pen.
const std::array<Action, 15> Actions{{
    {Act::ChooseMaze, "map", Takes::Maze, [](Playfield& s, int maze) { s.game.chooseMaze(maze); }},
    {Act::ChooseTime, "time", Takes::Seconds, [](Playfield& s, int seconds) { s.game.chooseTimeLimit(seconds); }},
    {Act::Start, "start", Takes::Nothing, [](Playfield& s, int) { s.game.Button3Click(); }},
    {Act::Redo, "redo", Takes::Nothing, [](Playfield& s, int) { s.game.Button1Click(); }},
    {Act::Left, "left", Takes::Nothing, [](Playfield& s, int) { s.game.LeftBtnClick(); }},
    {Act::Right, "right", Takes::Nothing, [](Playfield& s, int) { s.game.RightBtnClick(); }},
    {Act::Forward, "forward", Takes::Nothing, [](Playfield& s, int) { s.game.MaeBtnClick(), s.MaeBtnMouseUp(); }},
    {Act::Release, "release", Takes::Nothing, [](Playfield& s, int) { s.MaeBtnMouseUp(); }},
    {Act::Probe, "probe", Takes::Nothing, [](Playfield& s, int) { s.probePressed(); }},
    {Act::Unprobe, "unprobe", Takes::Nothing, [](Playfield& s, int) { s.probeReleased(); }},
    // Windows of their own: nothing drawn on the game.
    {Act::Help, "help", Takes::Nothing, [](Playfield&, int) {}},
    {Act::About, "about", Takes::Nothing, [](Playfield&, int) {}},
    {Act::Quit, "quit", Takes::Nothing, [](Playfield&, int) {}},
    {Act::Tick, "tick", Takes::Nothing, [](Playfield& s, int) { s.Timer1Timer(); }},
    // A firing of the countdown's timer, which a stopped timer never gives.
    {Act::Countdown, "countdown", Takes::Nothing,
     [](Playfield& s, int) {
         if (s.game.countdown().running())
             s.game.Timer2Timer();
     }},
}};

const Action& action(Act act)
{
    for (const Action& a : Actions)
        if (a.act == act)
            return a;
    return Actions.front();  // every Act has its row
}

const Action* actionNamed(std::string_view name)
{
    for (const Action& a : Actions)
        if (name == a.name)
            return &a;
    return nullptr;
}

bool takes(const Action& action, int argument)
{
    switch (action.takes) {
    case Takes::Maze: return game::isMaze(argument);
    case Takes::Seconds: return game::isTimeLimit(argument);
    case Takes::Nothing: break;
    }
    return argument == 0;
}

} // namespace play
