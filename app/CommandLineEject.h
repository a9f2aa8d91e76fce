#pragma once

#include "commandline/CommandLineRun.h"

namespace zv {

// The command line's --eject: the system's card ejector, its outcome in a few words.
[[nodiscard]] CardEject systemCardEject();

} // namespace zv
