#include "drives/MountInfo.h"

#include <algorithm>
#include <charconv>
#include <optional>
#include <unordered_map>

namespace zv {

namespace {

// Fields before the optional ones: id, parent, MAJ:MIN, root, mount point, options.
constexpr std::size_t kFixedFields = 6;
// After the "-": file-system type, source, super options.
constexpr std::size_t kFieldsAfterSeparator = 3;

bool isOctalDigit(char c) { return c >= '0' && c <= '7'; }

// "\ooo" at `at`, when it encodes one byte (the first digit is at most 3).
bool isOctalEscape(std::string_view text, std::size_t at)
{
    return at + 3 < text.size() && text[at] == '\\' && text[at + 1] >= '0' && text[at + 1] <= '3' &&
        isOctalDigit(text[at + 2]) && isOctalDigit(text[at + 3]);
}

// The kernel separates fields by exactly one space, so an empty field (an empty source) is kept.
std::vector<std::string_view> splitFields(std::string_view line)
{
    std::vector<std::string_view> fields;
    for (;;) {
        const std::size_t space = line.find(' ');
        fields.push_back(line.substr(0, space));
        if (space == std::string_view::npos)
            return fields;
        line.remove_prefix(space + 1);
    }
}

template <typename Number> bool parseNumber(std::string_view text, Number& out)
{
    const char* const end = text.data() + text.size();
    const auto [stop, error] = std::from_chars(text.data(), end, out);
    return !text.empty() && error == std::errc{} && stop == end;
}

bool parseDeviceNumber(std::string_view text, std::uint32_t& major, std::uint32_t& minor)
{
    const std::size_t colon = text.find(':');
    return colon != std::string_view::npos && parseNumber(text.substr(0, colon), major) &&
        parseNumber(text.substr(colon + 1), minor);
}

// A decoded path with a zero byte cannot be handed to the system, and the kernel never writes one.
bool isUsablePath(const std::string& path) { return path.find('\0') == std::string::npos; }

std::optional<MountInfoEntry> parseLine(std::string_view line)
{
    const std::vector<std::string_view> fields = splitFields(line);
    const auto separator = std::find(fields.begin() + std::min(kFixedFields, fields.size()), fields.end(), "-");
    if (fields.end() - separator <= static_cast<std::ptrdiff_t>(kFieldsAfterSeparator))
        return std::nullopt;

    MountInfoEntry entry;
    if (!parseNumber(fields[0], entry.mountId) || !parseNumber(fields[1], entry.parentId) ||
        !parseDeviceNumber(fields[2], entry.major, entry.minor))
        return std::nullopt;
    entry.root = decodeMountInfoEscapes(fields[3]);
    entry.mountPoint = decodeMountInfoEscapes(fields[4]);
    entry.fsType = decodeMountInfoEscapes(separator[1]);
    entry.source = decodeMountInfoEscapes(separator[2]);
    if (entry.mountPoint.empty() || entry.mountPoint.front() != '/' || !isUsablePath(entry.mountPoint) ||
        !isUsablePath(entry.root) || entry.fsType.empty())
        return std::nullopt;
    return entry;
}

bool showsWholeFileSystem(const MountInfoEntry& entry) { return entry.root == "/"; }

} // namespace

std::string decodeMountInfoEscapes(std::string_view field)
{
    std::string decoded;
    decoded.reserve(field.size());
    for (std::size_t i = 0; i < field.size(); ++i) {
        if (isOctalEscape(field, i)) {
            decoded += static_cast<char>((field[i + 1] - '0') * 64 + (field[i + 2] - '0') * 8 + (field[i + 3] - '0'));
            i += 3;
        } else {
            decoded += field[i];
        }
    }
    return decoded;
}

std::vector<MountInfoEntry> parseMountInfo(std::string_view text)
{
    std::vector<MountInfoEntry> entries;
    while (!text.empty()) {
        const std::size_t newline = text.find('\n');
        if (auto entry = parseLine(text.substr(0, newline)))
            entries.push_back(std::move(*entry));
        text.remove_prefix(newline == std::string_view::npos ? text.size() : newline + 1);
    }
    return entries;
}

std::vector<MountInfoEntry> visibleMounts(std::vector<MountInfoEntry> entries)
{
    std::unordered_map<std::string_view, std::size_t> topOfMountPoint;
    for (std::size_t i = 0; i < entries.size(); ++i)
        topOfMountPoint[entries[i].mountPoint] = i;

    std::unordered_map<std::uint64_t, std::size_t> chosenOfDevice;
    for (std::size_t i = 0; i < entries.size(); ++i) {
        if (topOfMountPoint.at(entries[i].mountPoint) != i)
            continue;
        const auto [chosen, isFirst] = chosenOfDevice.try_emplace(deviceKey(entries[i].major, entries[i].minor), i);
        if (!isFirst && !showsWholeFileSystem(entries[chosen->second]) && showsWholeFileSystem(entries[i]))
            chosen->second = i;
    }

    std::vector<MountInfoEntry> visible;
    visible.reserve(chosenOfDevice.size());
    for (const auto& [device, index] : chosenOfDevice)
        visible.push_back(std::move(entries[index]));
    std::sort(visible.begin(), visible.end(),
        [](const MountInfoEntry& a, const MountInfoEntry& b) { return a.mountPoint < b.mountPoint; });
    return visible;
}

} // namespace zv
