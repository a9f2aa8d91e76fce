#pragma once

#include "profiles/SharedValues.h"

#include <cstddef>
#include <string>

namespace zv {

// The model lists of both windows: the ten models, then the owner's own formats. A ModelIndex
// from kModelCount on names own format ModelIndex - kModelCount.

[[nodiscard]] constexpr bool isOwnFormat(ModelIndex m) { return m >= kModelCount; }
[[nodiscard]] constexpr std::size_t ownFormatOf(ModelIndex m) { return static_cast<std::size_t>(m - kModelCount); }

// How many rows the lists hold.
[[nodiscard]] int modelListSize(const SharedValues& values);

// True for a row of the lists: one of the ten or an own format that is there.
[[nodiscard]] bool isListedModel(const SharedValues& values, ModelIndex m);

// The name a row shows (UTF-8); empty for no row.
[[nodiscard]] std::string modelListName(const SharedValues& values, ModelIndex m);

// The row named `name` (a model's, or an own format's, letter case aside); kNoModel for none.
[[nodiscard]] ModelIndex modelListRow(const SharedValues& values, const std::string& name);

// Whether the time-stamp choice applies: the five tagged models, and own formats whose
// template uses the stamp.
[[nodiscard]] bool hasTimeStamp(const SharedValues& values, ModelIndex m);

} // namespace zv
