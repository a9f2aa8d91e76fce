#pragma once

#include <string_view>

namespace zv {

// Small steps over plain ASCII in byte strings, whatever code page the other bytes are in: an
// id, a key, an escape's digits. Bytes outside ASCII pass unchanged.

// The value of one hexadecimal digit, either case; -1 for any other byte.
[[nodiscard]] int hexDigitValue(char c);

// `text` without the `blanks` it starts or ends with.
[[nodiscard]] std::string_view trimmed(std::string_view text, std::string_view blanks = " \t");

[[nodiscard]] constexpr char asciiLower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }
[[nodiscard]] constexpr char asciiUpper(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }

} // namespace zv
