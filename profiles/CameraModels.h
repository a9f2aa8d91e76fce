#pragma once

#include <array>
#include <string_view>

namespace zv {

// Position of a camera model in the fixed model list; -1 where no model is chosen.
using ModelIndex = int;

inline constexpr int kModelCount = 10;
inline constexpr ModelIndex kNoModel = -1;

// The ten models, in the order every model list shows them.
inline constexpr std::array<std::string_view, kModelCount> kModelNames = {
    "MD80", "MD80SE", "G100", "G160", "DV-033", "Q5", "Q6", "Q7N", "RS-101", "RS-301"};

[[nodiscard]] constexpr bool isModel(ModelIndex m) { return m >= 0 && m < kModelCount; }

// The name at `m`; empty for an index outside the list.
[[nodiscard]] constexpr std::string_view modelName(ModelIndex m)
{
    return isModel(m) ? kModelNames[static_cast<std::size_t>(m)] : std::string_view{};
}

// True for the models whose time-file line ends in " Y" or " N" and whose time-stamp
// choice the user may change: DV-033, Q5, Q6, Q7N and RS-301.
[[nodiscard]] constexpr bool HasTimeStampTag(ModelIndex m) { return m == 4 || m == 5 || m == 6 || m == 7 || m == 9; }

} // namespace zv
