#include "CardScanTest.h"

namespace zv {

// Under Wine every new name is looked for case-blind through the whole folder.
const std::size_t kHugeFolderFiles = kMostCardEntries + 1'000;

} // namespace zv
