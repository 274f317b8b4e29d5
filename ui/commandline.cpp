#include "commandline.h"

#include "play/version.h"

#include <cstdio>
#include <string_view>

namespace ui {

namespace {

constexpr const char* Usage =
    "Usage: vesmor [--help | --version] [Qt options]\n"
    "\n"
    "Vesmor is a maze game played with the mouse in its own window; the maze\n"
    "and the time limit are chosen in the game. Its texts are in Japanese.\n"
    "\n"
    "Qt's standard options work as in any Qt program, for example:\n"
    "  -platform NAME   the window system (xcb for X11, wayland)\n"
    "  -style NAME      the look of the buttons and menus\n"
    "QT_SCALE_FACTOR=2 in the environment draws the window twice as large as the\n"
    "desktop's own scale would, where the screen holds it.\n";

// The options that Qt's application object takes off the command line
// itself, with and without the value that follows them.
constexpr std::string_view QtOptionsWithValue[] = {
    "platform", "platformpluginpath", "platformtheme", "plugin", "qwindowgeometry", "qwindowicon",
    "qwindowtitle", "session", "display", "geometry", "title", "icon", "name", "style", "stylesheet"};
constexpr std::string_view QtFlags[] = {"reverse", "widgetcount", "nograb", "dograb", "sync", "testability"};
constexpr std::string_view QtOptionsWithEquals[] = {"style=", "stylesheet=", "qmljsdebugger="};

// Qt accepts its options with one dash or two.
std::string_view optionName(std::string_view argument)
{
    if (argument.starts_with("--"))
        return argument.substr(2);
    if (argument.starts_with("-"))
        return argument.substr(1);
    return {};
}

template <std::size_t N>
bool listed(std::string_view name, const std::string_view (&list)[N])
{
    for (std::string_view entry : list)
        if (name == entry)
            return true;
    return false;
}

bool joinedWithEquals(std::string_view name)
{
    for (std::string_view prefix : QtOptionsWithEquals)
        if (name.starts_with(prefix))
            return true;
    return false;
}

int refuse(const char* what, const char* argument)
{
    std::fprintf(stderr, "vesmor: %s '%s' (vesmor --help lists the options)\n", what, argument);
    return 2;
}

} // namespace

std::optional<int> handleCommandLine(int argc, char** argv)
{
    for (int i = 1; i < argc; ++i) {
        const std::string_view argument = argv[i];
        if (argument == "--version") {
            std::puts("Vesmor " VESMOR_VERSION);
            return 0;
        }
        if (argument == "--help" || argument == "-h") {
            std::fputs(Usage, stdout);
            return 0;
        }
        const std::string_view name = optionName(argument);
        if (listed(name, QtOptionsWithValue)) {
            if (i + 1 == argc)
                return refuse("missing value after", argv[i]);
            ++i;
        } else if (!listed(name, QtFlags) && !joinedWithEquals(name)) {
            return refuse("unknown argument", argv[i]);
        }
    }
    return std::nullopt;
}

} // namespace ui
