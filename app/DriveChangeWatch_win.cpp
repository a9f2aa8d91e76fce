#include "app/DriveChangeWatch.h"

namespace zv {

// Windows probes have no descriptor to watch: a poll asks GetLogicalDrives(), which is cheap.
struct DriveChangeWatch::Waiter { };

DriveChangeWatch::DriveChangeWatch(DriveProbe& /*probe*/) { }

DriveChangeWatch::~DriveChangeWatch() = default;

} // namespace zv
