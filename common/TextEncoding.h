#pragma once

#include <string>
#include <string_view>

namespace zv {

// True when `bytes` are well-formed UTF-8 (no overlong forms, no surrogates, nothing above
// U+10FFFF).
[[nodiscard]] bool isValidUtf8(std::string_view bytes);

// Windows-1251 bytes as UTF-8. The one byte the code page leaves unassigned (0x98) becomes
// U+FFFD.
[[nodiscard]] std::string utf8FromCp1251(std::string_view bytes);

// How stored bytes read as text on a UTF-8 system: UTF-8 as it is, anything else as the
// Russian Windows code page, which is where a Zentrik.ini that is not UTF-8 comes from.
[[nodiscard]] std::string readableUtf8(std::string_view bytes);

} // namespace zv
