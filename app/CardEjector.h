#pragma once

#include "ui/common/Seams.h"

#include <memory>

namespace zv {

// The system's own "Eject": UDisks2 on the system bus on Linux, the configuration manager's
// eject request on Windows. A call waits for the system's answer, never longer than a bounded
// time, and needs the application object to exist.
[[nodiscard]] std::unique_ptr<CardEjector> makeSystemCardEjector();

} // namespace zv
