#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace zv {

// Exit statuses of the command line: every drive set; a drive failed; the command was not
// understood, and nothing was written.
inline constexpr int kExitSuccess = 0;
inline constexpr int kExitFailure = 1;
inline constexpr int kExitUsage = 2;

// A wall-clock moment as the camera takes it: no time zone, no daylight saving.
struct LocalDateTime {
    int year = 0;
    int month = 0;
    int day = 0;
    int hour = 0;
    int minute = 0;
    int second = 0;

    friend bool operator==(const LocalDateTime&, const LocalDateTime&) = default;
};

// The local wall time of a second since the epoch. The program's own conversion is passed in:
// the core knows no time zones.
using LocalTimeOf = std::function<LocalDateTime(std::int64_t secsSinceEpoch)>;

// "YYYY-MM-DD hh:mm:ss", exactly: a real calendar date from year 0001, hours 00 to 23. None
// for anything else, so a typing slip never sets a camera to a moment nobody meant.
[[nodiscard]] std::optional<LocalDateTime> parseMoment(std::string_view text);

// The moment to write for "now": the lead is added to the epoch seconds and only the sum is
// turned into wall time, so midnight, month and year ends, and clock changes come out right.
[[nodiscard]] LocalDateTime momentAfterLead(
    std::int64_t nowSecsSinceEpoch, int leadSeconds, const LocalTimeOf& localTimeOf);

enum class Command { Help, Version, List, Models, Set };

// What `set` was asked to do, checked for form only: which drives and models exist is known
// only once the system and the settings are asked.
struct SetRequest {
    std::vector<std::string> drives; // as given, in order
    std::string model;
    std::optional<bool> stamp; // --stamp yes|no
    std::optional<LocalDateTime> at; // --at
    std::optional<int> leadSeconds; // --lead, 0 to kMostLeadSeconds
    bool eject = false;
};

struct ParsedCommandLine {
    Command command = Command::Help;
    SetRequest set;
    std::string usageError; // one line, no program name; empty when the line was understood

    [[nodiscard]] bool ok() const { return usageError.empty(); }
};

// Reads the arguments after the program's name. Options come as "--name VALUE" or
// "--name=VALUE"; an unknown command or option, a missing or malformed value, a single option
// given twice, or a stray argument is a usage error. "--help" anywhere asks for the help.
[[nodiscard]] ParsedCommandLine parseCommandLine(std::span<const std::string> arguments);

} // namespace zv
