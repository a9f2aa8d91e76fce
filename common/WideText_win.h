#pragma once

#include <string>

namespace zv {

// The program's text is single-byte in the ANSI code page, as the settings and time files
// are; the wide Windows calls get and give it through these two.
[[nodiscard]] std::wstring widenAnsi(const std::string& text);
[[nodiscard]] std::string narrowToAnsi(const wchar_t* text);

} // namespace zv
