#pragma once

#include <string>

namespace zv {

// The settings files hold single-byte text as the system writes it: UTF-8 here, the ANSI code
// page on Windows, where a file name also arrives from Windows itself in that code page. These
// two carry such text to and from the UTF-8 of the program's paths and windows.

// UTF-8 of stored bytes. Off Windows, bytes that are not UTF-8 are read as the Russian Windows
// code page, which is where such a Zentrik.ini comes from.
[[nodiscard]] std::string storedTextAsUtf8(const std::string& bytes);

// The bytes to store for UTF-8 `text`; on Windows a letter its code page lacks becomes "?".
[[nodiscard]] std::string storedTextFromUtf8(const std::string& text);

} // namespace zv
