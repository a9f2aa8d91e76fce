#pragma once

#include "common/SystemError.h"

#include <cstddef>
#include <string>

namespace zv {

// Reads the whole regular file at `path` into `bytes` when it holds at most `mostBytes`;
// a longer file fails with fileTooLargeErrorCode(), having read no more than one byte past the
// limit. A pipe, device or folder is refused before anything is read, so a file of ours that
// something else took the place of can neither hang the program nor fill its memory.
[[nodiscard]] SystemError readCappedFile(const std::string& path, std::size_t mostBytes, std::string& bytes);

} // namespace zv
