#include "settings/ProgramOptions.h"

#include "common/AsciiText.h"
#include "common/AtomicFile.h"
#include "common/CappedFile.h"
#include "common/Paths.h"

#include <algorithm>
#include <charconv>
#include <optional>

namespace zv {

namespace {

constexpr std::string_view kLeadSecondsKey = "LeadSeconds";

// A few lines of options take a few dozen bytes; a longer file is damaged or no file of ours.
constexpr std::size_t kMostBytesRead = 16 * 1024;

// Digits only: no sign, no spaces inside, no fraction, nothing after.
std::optional<int> plainNumberIn(std::string_view text, int least, int most)
{
    if (text.empty() || !std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; }))
        return std::nullopt;
    int value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size() || value < least || value > most)
        return std::nullopt;
    return value;
}

// Hands each line to `take` without its line end; a carriage return counts as part of the
// line end only right before a line feed.
template <typename Take> void forEachLine(std::string_view bytes, Take take)
{
    while (!bytes.empty()) {
        const auto feed = bytes.find('\n');
        std::string_view line = bytes.substr(0, feed);
        if (feed != std::string_view::npos && line.ends_with('\r'))
            line.remove_suffix(1);
        take(line);
        bytes.remove_prefix(feed == std::string_view::npos ? bytes.size() : feed + 1);
    }
}

// True when `line` sets a known option, whatever its value; a valid value goes into `options`.
bool readKnownOption(std::string_view line, ProgramOptions& options)
{
    const auto equals = line.find('=');
    if (equals == std::string_view::npos)
        return false;
    const std::string_view key = trimmed(line.substr(0, equals));
    const std::string_view value = trimmed(line.substr(equals + 1));
    if (key == kLeadSecondsKey) {
        if (const auto seconds = plainNumberIn(value, 0, kMostLeadSeconds))
            options.leadSeconds = *seconds;
        return true;
    }
    return false;
}

} // namespace

ProgramOptionsText parseProgramOptions(std::string_view bytes)
{
    ProgramOptionsText text;
    forEachLine(bytes, [&](std::string_view line) {
        if (!readKnownOption(line, text.options))
            text.otherLines.emplace_back(line);
    });
    return text;
}

std::string programOptionsFileText(const ProgramOptionsText& text)
{
    const int lead = std::clamp(text.options.leadSeconds, 0, kMostLeadSeconds);
    std::string bytes = std::string(kLeadSecondsKey) + "=" + std::to_string(lead) + "\r\n";
    for (const std::string& line : text.otherLines)
        bytes += line + "\r\n";
    return bytes;
}

ProgramOptions loadProgramOptions(const std::string& path)
{
    std::string bytes;
    if (readCappedFile(path, kMostBytesRead, bytes).failed())
        return {};
    return parseProgramOptions(bytes).options;
}

SystemError saveProgramOptions(const std::string& path, const ProgramOptions& options)
{
    // The lines of the file as it is now, not as it was at start: whatever is there survives.
    std::string bytes;
    ProgramOptionsText text;
    if (!readCappedFile(path, kMostBytesRead, bytes).failed())
        text = parseProgramOptions(bytes);
    text.options = options;
    if (SystemError error = createParentFolders(path); error.failed())
        return error;
    AtomicWriteResult result = writeFileAtomically(path, programOptionsFileText(text));
    if (!result.ok() && !result.error.failed())
        return systemErrorFrom(std::make_error_code(std::errc::io_error)); // never a failure as success
    return std::move(result.error);
}

} // namespace zv
