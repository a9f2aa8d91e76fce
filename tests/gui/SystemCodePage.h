#pragma once

#include <QString>

#include <string>

namespace zv::test {

// What a window test expects of the system's single-byte text. Linux shows UTF-8 as it is and
// other bytes in the Russian Windows code page, and keeps typed text as UTF-8; Windows does both
// in its ANSI code page, which the locale a test runs under chooses. Each platform's file says it.

// How `bytes` read in a window: `onLinux` as the test gives it, or Windows' own reading.
[[nodiscard]] QString shownBytes(const std::string& bytes, const QString& onLinux);

// The bytes kept for `utf8` typed into a window.
[[nodiscard]] std::string storedBytes(const std::string& utf8);

} // namespace zv::test
