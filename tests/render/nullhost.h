// A game with nothing around it: no beep, and no map drawn by its rules.
// For the tests and benchmarks that draw frames of a game on their own.
#pragma once

#include "game/game.h"

struct NullHost final : game::GameHost {
    void beep() override {}
    void clearMap() override {}
    void drawWaterwayLines(int) override {}
    void drawStep(game::Cell, game::Cell) override {}
};
