#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace zv {

// Control bytes and '%' as %XX (capital hex digits), so any bytes fit on one line of text and
// between tabs; letters in any encoding stay as they are.
[[nodiscard]] std::string percentEscaped(std::string_view text);

// The bytes percentEscaped() was given; none when a '%' is not followed by two hex digits.
[[nodiscard]] std::optional<std::string> percentUnescaped(std::string_view text);

} // namespace zv
