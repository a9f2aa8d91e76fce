#include "SettingsFileTest.h"

#include <windows.h>

namespace zv {

// Windows opens a folder as a file only with backup semantics; without, it is "access denied".
const int kFolderOpenedAsFile = ERROR_ACCESS_DENIED;

// Windows paths end at MAX_PATH, and a save's temporary file adds ".tmp" and up to six digits.
// Wine does not enforce MAX_PATH, so only a path right at that limit is checked here.
const std::size_t kLongSettingsPath = MAX_PATH - 1 - 10;

} // namespace zv
