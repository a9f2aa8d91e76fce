#pragma once

#include "drives/DriveProbe.h"
#include "drives/SetCardRecords.h"

#include <string>

namespace zv {

// What sits in the place of the time file `fileName` in the card's root `root` now, read
// without following a link and no further than kMostTimeFileBytes. `probe` confirms before and
// after the look that `root` is still a removable drive's root: a card pulled meanwhile leaves
// the bare folder it was mounted on, where the file is missing though no camera took it. Call
// it where the probe is used, as the probe is not shared between threads.
[[nodiscard]] TimeFileOnCard lookAtTimeFile(const std::string& root, const std::string& fileName, DriveProbe& probe);

} // namespace zv
