#pragma once

#include "profiles/OwnFormat.h"

#include <span>
#include <string_view>

namespace zv {

// A format to start a new one from, named in both languages for what it is.
struct OwnFormatStartingPoint {
    std::string_view russian; // display texts, UTF-8
    std::string_view english;
    OwnFormat format;
};

// The starting points in the order a list shows them; the last is the empty format.
[[nodiscard]] std::span<const OwnFormatStartingPoint> ownFormatStartingPoints();

} // namespace zv
