#pragma once

namespace zv {

// The program given arguments: the command line over the core, with no window, no
// single-copy guard and no display. Gives the exit status.
int runCommandLineProgram(int argc, char** argv);

} // namespace zv
