#include "drives/BlockDevice_linux.h"

#include <algorithm>
#include <array>
#include <filesystem>
#include <fstream>

namespace zv {

namespace fs = std::filesystem;

namespace {

// Buses a device can be pulled from while the system runs. Many USB sticks and camera cards
// report removable 0, so the bus decides as much as the flag (lsblk's HOTPLUG, udisks' Removable).
constexpr std::array<std::string_view, 4> kHotPlugBuses = {"usb", "mmc", "memstick", "ieee1394"};

constexpr std::string_view kLabelProperty = "E:ID_FS_LABEL_ENC=";

std::string deviceNumber(std::uint32_t major, std::uint32_t minor)
{
    return std::to_string(major) + ':' + std::to_string(minor);
}

// The first line of a small attribute file, without its line break.
std::optional<std::string> readFirstLine(const fs::path& path)
{
    std::ifstream file(path, std::ios::binary);
    std::string line;
    if (!file || !std::getline(file, line))
        return std::nullopt;
    return line;
}

bool attributeIs(const fs::path& path, std::string_view value)
{
    const auto line = readFirstLine(path);
    return line && *line == value;
}

std::optional<fs::path> resolved(const fs::path& path)
{
    std::error_code error;
    fs::path target = fs::canonical(path, error);
    if (error)
        return std::nullopt;
    return target;
}

std::string linkTargetName(const fs::path& link)
{
    std::error_code error;
    const fs::path target = fs::read_symlink(link, error);
    return error ? std::string() : target.filename().string();
}

bool isBelow(const fs::path& path, const fs::path& ancestor)
{
    const auto [stop, rest] = std::mismatch(ancestor.begin(), ancestor.end(), path.begin(), path.end());
    return stop == ancestor.end() && rest != path.end();
}

// Walks from the device up to (not including) `devicesRoot` and asks each level's bus.
bool hangsOnHotPlugBus(fs::path device, const fs::path& devicesRoot)
{
    for (; isBelow(device, devicesRoot); device = device.parent_path()) {
        const std::string bus = linkTargetName(device / "subsystem");
        if (std::find(kHotPlugBuses.begin(), kHotPlugBuses.end(), bus) != kHotPlugBuses.end())
            return true;
    }
    return false;
}

std::optional<std::string> labelFromByLabelLinks(const fs::path& byLabel, std::string_view kernelName)
{
    std::error_code error;
    std::optional<std::string> found;
    for (fs::directory_iterator it(byLabel, error), end; !error && it != end; it.increment(error)) {
        const std::string name = it->path().filename().string();
        // Directory order is arbitrary; the least name makes a doubled label stable.
        if (linkTargetName(it->path()) == kernelName && (!found || name < *found))
            found = name;
    }
    if (found)
        return decodeUdevEscapes(*found);
    return std::nullopt;
}

std::optional<std::string> labelFromUdevDatabase(const fs::path& record)
{
    std::ifstream file(record, std::ios::binary);
    for (std::string line; std::getline(file, line);) {
        if (line.starts_with(kLabelProperty) && line.size() > kLabelProperty.size())
            return decodeUdevEscapes(std::string_view(line).substr(kLabelProperty.size()));
    }
    return std::nullopt;
}

int hexValue(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

} // namespace

BlockDeviceFacts readBlockDeviceFacts(const std::string& sysRoot, std::uint32_t major, std::uint32_t minor)
{
    BlockDeviceFacts facts;
    const auto device = resolved(fs::path(sysRoot) / "dev" / "block" / deviceNumber(major, minor));
    if (!device)
        return facts;
    facts.present = true;
    facts.kernelName = device->filename().string();

    // A partition carries neither the flag nor the SCSI type; its disk does.
    const fs::path disk = fs::exists(*device / "partition") ? device->parent_path() : *device;
    facts.opticalDrive = attributeIs(disk / "device" / "type", "5");
    const auto devicesRoot = resolved(fs::path(sysRoot) / "devices");
    facts.removable = attributeIs(disk / "removable", "1") || (devicesRoot && hangsOnHotPlugBus(disk, *devicesRoot));
    return facts;
}

std::optional<std::string> publishedLabel(const std::string& devRoot, const std::string& udevRoot,
    std::string_view kernelName, std::uint32_t major, std::uint32_t minor)
{
    if (!kernelName.empty()) {
        if (auto label = labelFromByLabelLinks(fs::path(devRoot) / "disk" / "by-label", kernelName))
            return label;
    }
    return labelFromUdevDatabase(fs::path(udevRoot) / "data" / ("b" + deviceNumber(major, minor)));
}

std::string decodeUdevEscapes(std::string_view text)
{
    std::string decoded;
    decoded.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        const bool isEscape = text[i] == '\\' && i + 3 < text.size() && text[i + 1] == 'x' &&
            hexValue(text[i + 2]) >= 0 && hexValue(text[i + 3]) >= 0;
        if (isEscape) {
            decoded += static_cast<char>(hexValue(text[i + 2]) * 16 + hexValue(text[i + 3]));
            i += 3;
        } else {
            decoded += text[i];
        }
    }
    return decoded;
}

} // namespace zv
