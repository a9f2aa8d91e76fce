#pragma once

#include <string>
#include <string_view>

namespace zv {

inline constexpr std::string_view kSettingsFileName = "Zentrik.ini";

// Where Zentrik.ini lives: beside the executable when it is already there or that folder is
// writable, as camera owners carry the program on a stick; otherwise in the user's
// configuration folder, which the first save creates. Folders are given without a final
// separator. Empty when neither serves (a read-only program folder and a user without a home
// folder, given as ""): the program then runs on the defaults.
[[nodiscard]] std::string settingsFilePath(const std::string& executableFolder, const std::string& userConfigFolder);

// A file of the program's own beside Zentrik.ini at `settingsPath` (the owner's formats, the
// program's options); empty where Zentrik.ini has no place either.
[[nodiscard]] std::string besideSettingsFile(const std::string& settingsPath, std::string_view name);

} // namespace zv
