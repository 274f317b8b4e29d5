// Vesmor: walk out of the maze before the night falls.
#include "application.h"

int main(int /*argc*/, char** argv)
{
    return ui::runGame(argv[0]);
}
