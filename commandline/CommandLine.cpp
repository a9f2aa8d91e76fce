#include "commandline/CommandLine.h"

#include "settings/ProgramOptions.h"

#include <algorithm>
#include <array>
#include <charconv>

namespace zv {

namespace {

bool isDigit(char c) { return c >= '0' && c <= '9'; }

// The number in `text`, which must be digits and nothing else.
std::optional<int> plainNumber(std::string_view text)
{
    if (text.empty() || text.size() > 9 || !std::all_of(text.begin(), text.end(), isDigit))
        return std::nullopt;
    int value = 0;
    std::from_chars(text.data(), text.data() + text.size(), value);
    return value;
}

bool isLeapYear(int year) { return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0; }

int daysInMonth(int year, int month)
{
    constexpr std::array<int, 12> kDays = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return month == 2 && isLeapYear(year) ? 29 : kDays[static_cast<std::size_t>(month - 1)];
}

std::string quoted(std::string_view text) { return "'" + std::string(text) + "'"; }

ParsedCommandLine usage(std::string reason)
{
    ParsedCommandLine parsed;
    parsed.usageError = std::move(reason);
    return parsed;
}

bool isHelp(std::string_view argument) { return argument == "--help" || argument == "-h"; }

bool equalsIgnoringAsciiCase(std::string_view a, std::string_view b)
{
    const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; };
    return a.size() == b.size() &&
        std::equal(a.begin(), a.end(), b.begin(), [&](char x, char y) { return lower(x) == lower(y); });
}

// Takes the value of one option of `set`; the reason it cannot, or empty.
std::string takeValue(SetRequest& set, std::string_view name, std::string_view value)
{
    const std::string twice = "option '--" + std::string(name) + "' is given more than once";
    if (name == "drive") {
        set.drives.emplace_back(value);
    } else if (name == "model") {
        if (!set.model.empty())
            return twice;
        set.model = value;
    } else if (name == "stamp") {
        if (set.stamp)
            return twice;
        if (equalsIgnoringAsciiCase(value, "yes") || equalsIgnoringAsciiCase(value, "no"))
            set.stamp = equalsIgnoringAsciiCase(value, "yes");
        else
            return "--stamp takes yes or no, not " + quoted(value);
    } else if (name == "at") {
        if (set.at)
            return twice;
        set.at = parseMoment(value);
        if (!set.at)
            return "--at takes a real moment as \"YYYY-MM-DD hh:mm:ss\", not " + quoted(value);
    } else if (name == "lead") {
        if (set.leadSeconds)
            return twice;
        set.leadSeconds = plainNumber(value);
        if (!set.leadSeconds || *set.leadSeconds > kMostLeadSeconds)
            return "--lead takes whole seconds from 0 to " + std::to_string(kMostLeadSeconds) + ", not " +
                quoted(value);
    } else {
        return "unknown option " + quoted("--" + std::string(name));
    }
    return {};
}

ParsedCommandLine parseSet(std::span<const std::string> arguments)
{
    ParsedCommandLine parsed;
    parsed.command = Command::Set;
    SetRequest& set = parsed.set;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string_view argument = arguments[i];
        if (!argument.starts_with("--") || argument.size() == 2)
            return usage(argument.starts_with("-") ? "unknown option " + quoted(argument)
                                                   : "unexpected argument " + quoted(argument));
        const std::size_t equals = argument.find('=');
        const std::string_view name = argument.substr(2, equals == std::string_view::npos ? argument.npos : equals - 2);
        if (name == "eject") {
            if (equals != std::string_view::npos)
                return usage("option '--eject' takes no value");
            if (set.eject)
                return usage("option '--eject' is given more than once");
            set.eject = true;
            continue;
        }
        std::string_view value;
        if (equals != std::string_view::npos)
            value = argument.substr(equals + 1);
        else if (i + 1 < arguments.size() && !arguments[i + 1].starts_with("--"))
            value = arguments[++i];
        // An option right after another is a forgotten value, not a value that looks odd.
        if (value.empty() && (name == "drive" || name == "model" || name == "stamp" || name == "at" || name == "lead"))
            return usage("option '--" + std::string(name) + "' needs a value");
        if (std::string error = takeValue(set, name, value); !error.empty())
            return usage(std::move(error));
    }
    if (set.drives.empty())
        return usage("set needs at least one --drive ROOT");
    if (set.model.empty())
        return usage("set needs --model NAME");
    if (set.at && set.leadSeconds)
        return usage("--at and --lead do not go together: --at is the moment itself");
    return parsed;
}

ParsedCommandLine withoutArguments(Command command, std::span<const std::string> rest)
{
    if (!rest.empty())
        return usage("unexpected argument " + quoted(rest.front()));
    ParsedCommandLine parsed;
    parsed.command = command;
    return parsed;
}

} // namespace

std::optional<LocalDateTime> parseMoment(std::string_view text)
{
    constexpr std::string_view kShape = "0000-00-00 00:00:00";
    if (text.size() != kShape.size())
        return std::nullopt;
    for (std::size_t i = 0; i < kShape.size(); ++i) {
        if (kShape[i] == '0' ? !isDigit(text[i]) : text[i] != kShape[i])
            return std::nullopt;
    }
    const auto field = [text](std::size_t offset, std::size_t length) {
        return *plainNumber(text.substr(offset, length));
    };
    const LocalDateTime moment{field(0, 4), field(5, 2), field(8, 2), field(11, 2), field(14, 2), field(17, 2)};
    if (moment.year < 1 || moment.month < 1 || moment.month > 12 || moment.day < 1 ||
        moment.day > daysInMonth(moment.year, moment.month) || moment.hour > 23 || moment.minute > 59 ||
        moment.second > 59)
        return std::nullopt;
    return moment;
}

LocalDateTime momentAfterLead(std::int64_t nowSecsSinceEpoch, int leadSeconds, const LocalTimeOf& localTimeOf)
{
    return localTimeOf(nowSecsSinceEpoch + leadSeconds);
}

ParsedCommandLine parseCommandLine(std::span<const std::string> arguments)
{
    if (std::any_of(arguments.begin(), arguments.end(), [](const std::string& a) { return isHelp(a); })) {
        ParsedCommandLine help;
        help.command = Command::Help;
        return help;
    }
    if (arguments.empty())
        return usage("no command given");
    const std::string_view first = arguments.front();
    const std::span<const std::string> rest = arguments.subspan(1);
    if (first == "--version")
        return withoutArguments(Command::Version, rest);
    if (first == "list")
        return withoutArguments(Command::List, rest);
    if (first == "models")
        return withoutArguments(Command::Models, rest);
    if (first == "set")
        return parseSet(rest);
    return usage(first.starts_with("-") ? "unknown option " + quoted(first) : "unknown command " + quoted(first));
}

} // namespace zv
