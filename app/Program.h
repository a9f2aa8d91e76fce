#pragma once

namespace zv {

// The whole run of the program: one copy per user, the six windows, the event loop.
int runProgram(int argc, char** argv);

} // namespace zv
