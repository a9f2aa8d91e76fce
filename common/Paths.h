#pragma once

#include "common/SystemError.h"

#include <filesystem>
#include <string>
#include <system_error>

namespace zv {

// Paths are UTF-8 text in the program on every platform. std::filesystem reads a plain
// std::string in the ANSI code page on Windows, so a user folder named in Cyrillic would turn
// into question marks; these two keep the bytes as the program means them.
[[nodiscard]] std::filesystem::path pathFromUtf8(const std::string& text);
[[nodiscard]] std::string utf8FromPath(const std::filesystem::path& path);

// A failure std::filesystem reported, in the program's terms.
[[nodiscard]] SystemError systemErrorFrom(const std::error_code& error);

// Creates the missing folders above the file at `path`. Refuses a relative path, and a chain
// that would have to start with a new folder directly in a file system's root ("/x", "C:\x"):
// that is where a path built from an unset home folder ends up, and the program has no business
// there. Folders that already exist are fine wherever they are.
[[nodiscard]] SystemError createParentFolders(const std::string& path);

} // namespace zv
