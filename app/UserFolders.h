#pragma once

#include <QString>

namespace zv {

// The user's own folders for what the program keeps, each ending in the organisation and
// program names. Empty where the user has none (no home folder set, or the file system's root
// given as one): nothing is then ever created at the root of the file system.
//
// The configuration folder holds the settings files when the program's own folder cannot;
// the state folder the records of the cards set; the cache folder the single-copy lock where
// no private runtime folder serves.
[[nodiscard]] QString userConfigFolder();
[[nodiscard]] QString userStateFolder();
[[nodiscard]] QString userCacheFolder();

} // namespace zv
