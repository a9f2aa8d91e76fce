#pragma once

#include "profiles/CameraProfile.h"

#include <array>
#include <cstddef>
#include <string>
#include <string_view>

namespace zv {

// Zentrik.ini holds seven lines per model, ten models, no keys: a value's meaning is its line number.
inline constexpr std::size_t kSettingsLineCount = kModelCount * kProfileFieldCount;

// The 70 texts as read, before validation.
using RawSettingsLines = std::array<std::string, kSettingsLineCount>;

// Splits the file's bytes into its first 70 lines, fed in chunks. A line feed ends a line and
// a carriage return right before it is not part of the text; any other carriage return is
// dropped; Ctrl-Z ends the file; lines the file lacks stay empty; nothing past line 70 is kept.
class SettingsLineSplitter final {
public:
    // Takes the next chunk; returns false once the 70 lines are complete or Ctrl-Z was met,
    // after which the rest of the file need not be read.
    bool feed(std::string_view chunk);

    [[nodiscard]] bool wantsMore() const { return !finished_; }
    // The lines read so far; the line in progress counts as read.
    [[nodiscard]] RawSettingsLines take();

private:
    void endLine();

    RawSettingsLines lines_;
    std::size_t current_ = 0;
    bool pendingCarriageReturn_ = false;
    bool finished_ = false;
};

[[nodiscard]] RawSettingsLines splitSettingsLines(std::string_view bytes);

// "Checking the INI": fills the table from the lines: names from the model list, base names
// unchanged, and every code that is not exactly valid replaced by the same model's default.
[[nodiscard]] ProfileTable Proverka_INI(const RawSettingsLines& lines);

// The file's bytes for a table: 70 lines, each ending in CR LF, names from the model list.
[[nodiscard]] std::string settingsFileText(const ProfileTable& table);

} // namespace zv
