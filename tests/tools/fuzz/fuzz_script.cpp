// Fuzzing the scenario driver: any bytes as a script. Every line must either
// run or be refused with one of the driver's documented messages; nothing
// may crash, trip a sanitizer or hang. Files are never written, and long
// waits are shortened so that one input stays quick.
#include "tools/headless.h"

#include <cstdint>
#include <cstdio>
#include <sstream>
#include <string>

namespace {

bool documented(const std::string& message)
{
    static const char* const prefixes[] = {"unknown command '", "'"};
    if (message.rfind(prefixes[0], 0) == 0)
        return true;
    if (message.rfind(prefixes[1], 0) != 0)
        return false;
    for (const char* shape : {"' takes ", "': '", "': heading '"})
        if (message.find(shape) != std::string::npos)
            return true;
    return false;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    tools::HeadlessGame game(size);
    tools::ScriptRunner& runner = game.runner;
    runner.saveImage = [](const QImage&, const std::string&) { return std::optional<std::string>(); };

    std::istringstream script(std::string(reinterpret_cast<const char*>(data), size));
    int number = 0;
    for (std::string text; std::getline(script, text);) {
        ++number;
        tools::ScriptLine line;
        if (const auto problem = tools::parseScriptLine(text, line)) {
            if (!documented(*problem)) {
                std::fprintf(stderr, "undocumented message: %s\n", problem->c_str());
                __builtin_trap();
            }
            break;  // the driver stops at the first bad line
        }
        for (long& n : line.numbers)
            if (line.command == "tick" || line.command == "countdown" || line.command == "wait")
                n = n % 2000;
        runner.execute(line, number);
    }
    return 0;
}
