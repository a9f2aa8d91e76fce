#pragma once

#include <string>

namespace zv {

// Paths, folder names and volume labels are UTF-8 in the program on every platform, so they
// show and round-trip whatever the user's code page; the wide Windows calls get and give them
// through these two.
[[nodiscard]] std::wstring widenUtf8(const std::string& text);
[[nodiscard]] std::string narrowToUtf8(const wchar_t* text);

// Zentrik.ini holds single-byte text in the ANSI code page, as Windows programs write it; a
// file name from it becomes UTF-8 here before it joins a path.
[[nodiscard]] std::string utf8FromAnsi(const std::string& text);
// And back: UTF-8 as the ANSI code page writes it; a letter it lacks becomes its default, "?".
[[nodiscard]] std::string ansiFromUtf8(const std::string& text);

} // namespace zv
