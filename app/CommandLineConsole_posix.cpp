#include "app/CommandLineConsole.h"

#include <csignal>

namespace zv {

// A reader that stops early ("| head -n 1") must not end a set halfway, between two cards or
// before they are remembered: a closed pipe is then only output that goes nowhere.
void attachToStartingConsole() { (void)std::signal(SIGPIPE, SIG_IGN); }

std::vector<std::string> commandLineArguments(int argc, char** argv)
{
    return argc > 1 ? std::vector<std::string>(argv + 1, argv + argc) : std::vector<std::string>{};
}

void writeToConsole(std::FILE* stream, std::string_view text)
{
    std::fwrite(text.data(), 1, text.size(), stream);
    std::fflush(stream);
}

} // namespace zv
