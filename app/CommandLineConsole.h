#pragma once

#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

namespace zv {

// The command line's way in and out. On Windows the program is a windows program with no
// console of its own, so it takes the console of whoever started it, and speaks to it in
// UTF-16 so that Cyrillic labels show in any code page.

// Joins the console the program was started from, where its output is not already sent to a
// file or a pipe, on Windows; elsewhere keeps a closed output pipe from ending the program.
void attachToStartingConsole();

// The arguments after the program's name: UTF-8 on Windows, the bytes as given elsewhere, as
// paths are kept in the core.
[[nodiscard]] std::vector<std::string> commandLineArguments(int argc, char** argv);

// Writes UTF-8 `text` to `stream` (stdout or stderr) at once.
void writeToConsole(std::FILE* stream, std::string_view text);

} // namespace zv
