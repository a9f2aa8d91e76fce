#pragma once

#include "common/SystemError.h"

#include <string>
#include <string_view>
#include <vector>

namespace zv {

// Settings of this program that Zentrik.ini, which keeps its 70 lines as they are, has no
// place for. They live in a file of their own beside it.
inline constexpr std::string_view kProgramOptionsFileName = "Zentrik-options.ini";

inline constexpr int kMostLeadSeconds = 600;

struct ProgramOptions {
    // Seconds from pressing the button to switching the camera on: the moment written is now
    // plus this, so the camera's clock is right when it starts. 0 to kMostLeadSeconds.
    int leadSeconds = 0;

    bool operator==(const ProgramOptions&) const = default;
};

// The file's content: the options this version knows, and every other line as it was, so that
// a later version's settings survive a save by this one.
struct ProgramOptionsText {
    ProgramOptions options;
    std::vector<std::string> otherLines; // without their line ends

    bool operator==(const ProgramOptionsText&) const = default;
};

// Reads `key=value` lines, LF or CR LF. A known key with a value that is not a plain decimal
// number in its range counts as missing; where a key appears more than once, its last valid
// value counts. Known keys' lines are not kept: a save writes them from the options.
[[nodiscard]] ProgramOptionsText parseProgramOptions(std::string_view bytes);

// The options first, then the other lines, each ending in CR LF. A value out of range is
// written at its nearest limit.
[[nodiscard]] std::string programOptionsFileText(const ProgramOptionsText& text);

// The options in the file at `path`. A missing, damaged or unreadable file gives the defaults,
// silently: the program works without it.
[[nodiscard]] ProgramOptions loadProgramOptions(const std::string& path);

// Writes `options` to the file at `path`, keeping the lines it does not know, replacing the
// file in one step; creates its folder when missing. Fails with the system's error.
[[nodiscard]] SystemError saveProgramOptions(const std::string& path, const ProgramOptions& options);

} // namespace zv
