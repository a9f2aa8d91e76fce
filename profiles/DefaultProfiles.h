#pragma once

#include "profiles/CameraProfile.h"

namespace zv {

// The built-in profile of every model: the content of a fresh settings file and the
// per-field fallback for an invalid value in a loaded one.
[[nodiscard]] const ProfileTable& DefaultProfiles();

} // namespace zv
