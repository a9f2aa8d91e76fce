#pragma once

#include "common/SystemError.h"
#include "settings/OwnFormatsText.h"

#include <cstddef>
#include <span>
#include <string>
#include <string_view>

namespace zv {

// The own formats' file, beside Zentrik.ini.
inline constexpr std::string_view kOwnFormatsFileName = "Zentrik-formats.ini";

// Reading never needs more: twenty formats at their largest take about a hundred kilobytes.
inline constexpr std::size_t kMostOwnFormatsFileBytes = 256 * 1024;

struct OwnFormatsLoad {
    std::vector<OwnFormat> formats;
    // Blocks skipped or dropped; also a file longer than kMostOwnFormatsFileBytes, whose rest
    // is passed over (block 0).
    std::vector<OwnFormatsProblem> problems;
    // Set when the file is there but could not be read (a folder, a pipe, no rights): no formats.
    SystemError error;
};

// Loads the own formats from Zentrik-formats.ini at `path`, never changing the file. A missing
// file holds no formats and is no problem.
[[nodiscard]] OwnFormatsLoad loadOwnFormats(const std::string& path);

struct OwnFormatsSaveStatus {
    enum class Failure {
        None,
        InvalidList, // a format fails its check, or there are too many; nothing was written
        CannotCreate, // the file cannot be created for writing; the old file is untouched
        CannotWrite, // writing or flushing failed; the old file is untouched
    };
    Failure failure = Failure::None;
    SystemError error; // for CannotCreate and CannotWrite
    std::size_t invalidFormat = 0; // for InvalidList: the position of the first format at fault

    [[nodiscard]] bool ok() const { return failure == Failure::None; }
};

// Replaces the file at `path` with `formats`, all or nothing. A list that would not load back
// whole is refused, so a save never loses a format on the next start.
[[nodiscard]] OwnFormatsSaveStatus saveOwnFormats(const std::string& path, std::span<const OwnFormat> formats);

} // namespace zv
