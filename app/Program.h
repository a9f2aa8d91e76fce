#pragma once

namespace zv {

// The whole run of the program: one copy per user, the six windows, the event loop; or, given
// arguments, the command line.
int runProgram(int argc, char** argv);

} // namespace zv
