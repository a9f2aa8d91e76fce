#pragma once

#include "commandline/CommandLine.h"

#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <string_view>

namespace zv {

class DriveProbe;

inline constexpr std::string_view kCommandName = "zentrik-vesmar";

// What taking a card out of the system came to; `reason` says why not, in a few words.
struct EjectReport {
    bool ejected = false;
    std::string reason;
};

using CardEject = std::function<EjectReport(const std::string& root)>;
using TextSink = std::function<void(std::string_view text)>;

// The outside world of the command line. The program passes the real one, tests a fake probe,
// a clock that stands still and strings for the output.
struct CommandLineWorld {
    DriveProbe& probe;
    std::string settingsPath; // Zentrik.ini, only read; empty: the default profiles
    std::string ownFormatsPath; // Zentrik-formats.ini; empty: no own formats
    std::string optionsPath; // Zentrik-options.ini, for the saved lead; empty: no lead
    std::string recordsPath; // the records of set cards; empty: nothing is remembered
    std::function<std::int64_t()> now; // seconds since the epoch
    LocalTimeOf localTimeOf;
    CardEject eject;
    TextSink out; // standard output
    TextSink err; // standard error
};

// Runs the command line given by `arguments` (the program's name left out) and gives its exit
// status: kExitSuccess, kExitFailure when a drive failed, kExitUsage when the command was not
// understood, and then nothing was written. Writes nothing but the time files and the records.
[[nodiscard]] int runCommandLine(std::span<const std::string> arguments, const CommandLineWorld& world);

// `text` fit for one output line: control characters written "\n", "\r", "\t" or "\xhh",
// so a name or a file's content never breaks the one-line-per-item output.
[[nodiscard]] std::string escapedForLine(std::string_view text);

// True when `given` names the drive root `root`: the root itself, or without its final
// separator ("/media/u/CAM" for "/media/u/CAM/", "E:" for "E:\"); drive letters in either case.
[[nodiscard]] bool namesRoot(std::string_view given, std::string_view root);

} // namespace zv
