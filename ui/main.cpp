// Vesmor: walk out of the maze before the night falls.
#include "application.h"
#include "commandline.h"

int main(int argc, char** argv)
{
    if (const std::optional<int> status = ui::handleCommandLine(argc, argv))
        return *status;
    return ui::runGame(argc, argv);
}
