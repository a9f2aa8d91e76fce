#pragma once

#include "common/SystemError.h"
#include "profiles/CameraProfile.h"
#include "settings/SettingsFormat.h"

#include <string>

namespace zv {

// The outcome of a settings operation. The store shows nothing and never ends the program:
// the caller decides how to tell the user.
struct SettingsStatus {
    enum class Failure {
        None,
        CannotCreate, // the file cannot be created for writing; the old file is untouched
        CannotRead, // the existing file cannot be opened or read
        CannotWrite, // writing or flushing failed; the old file is untouched
    };
    Failure failure = Failure::None;
    SystemError error; // the system's code and description

    [[nodiscard]] bool ok() const { return failure == Failure::None; }
};

// Zentrik.ini: the ten profiles from one run to the next. Every operation opens the file,
// does its work and closes it again. On any failure the table keeps its previous content.
class SettingsFile final {
public:
    explicit SettingsFile(std::string path) : path_(std::move(path)) { }

    [[nodiscard]] const std::string& path() const { return path_; }

    // Loads and validates the file into `table`; writes the defaults first when it is missing.
    [[nodiscard]] SettingsStatus ReadINI(ProfileTable& table) const;

    // Loads and validates the file into `table` as ReadINI does, but never writes: a missing file
    // gives the default profiles. For the command line, which leaves the user's files as they are.
    [[nodiscard]] SettingsStatus readWithoutWriting(ProfileTable& table) const;

    // "Default settings, write": writes the default profiles, then loads them into `table`.
    [[nodiscard]] SettingsStatus NastrojkiDefaultWrite(ProfileTable& table) const;

    // Writes `table` as it stands in memory, then loads it back, so `table` holds what the file holds.
    [[nodiscard]] SettingsStatus saveUserSettings(ProfileTable& table) const;

private:
    [[nodiscard]] SettingsStatus write(const ProfileTable& source) const;
    [[nodiscard]] SettingsStatus readLines(RawSettingsLines& lines) const;

    std::string path_;
};

} // namespace zv
