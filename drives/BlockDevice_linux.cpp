#include "drives/BlockDevice_linux.h"

#include "common/AsciiText.h"

#include <algorithm>
#include <array>
#include <filesystem>
#include <fstream>

namespace zv {

namespace fs = std::filesystem;

namespace {

// Buses a device can be pulled from while the system runs. Many USB sticks and camera cards
// report removable 0, so the bus decides as much as the flag (lsblk's HOTPLUG, udisks' Removable).
constexpr std::array<std::string_view, 2> kCardBuses = {"mmc", "memstick"};
constexpr std::array<std::string_view, 2> kDiskBuses = {"usb", "ieee1394"};

constexpr std::string_view kLabelProperty = "E:ID_FS_LABEL_ENC=";
constexpr std::string_view kUuidProperty = "E:ID_FS_UUID_ENC=";

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
template <std::size_t N>
bool hangsOnBusOf(fs::path device, const fs::path& devicesRoot, const std::array<std::string_view, N>& buses)
{
    for (; isBelow(device, devicesRoot); device = device.parent_path()) {
        const std::string bus = linkTargetName(device / "subsystem");
        if (std::find(buses.begin(), buses.end(), bus) != buses.end())
            return true;
    }
    return false;
}

// The least name in `folder` whose link points at `kernelName` (directory order is arbitrary;
// the least makes a doubled label stable), udev's escapes decoded.
std::optional<std::string> nameOfLinkTo(const fs::path& folder, std::string_view kernelName)
{
    std::error_code error;
    std::optional<std::string> found;
    for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
        const std::string name = it->path().filename().string();
        // Directory order is arbitrary; the least name makes a doubled label stable.
        if (linkTargetName(it->path()) == kernelName && (!found || name < *found))
            found = name;
    }
    if (found)
        return decodeUdevEscapes(*found);
    return std::nullopt;
}

std::optional<std::string> propertyFromUdevDatabase(const fs::path& record, std::string_view property)
{
    std::ifstream file(record, std::ios::binary);
    for (std::string line; std::getline(file, line);) {
        if (line.starts_with(property) && line.size() > property.size())
            return decodeUdevEscapes(std::string_view(line).substr(property.size()));
    }
    return std::nullopt;
}

// udev's link folder `linkFolder` under dev/disk first, its database record second.
std::optional<std::string> publishedProperty(const std::string& devRoot, const std::string& udevRoot,
    std::string_view kernelName, std::uint32_t major, std::uint32_t minor, std::string_view linkFolder,
    std::string_view property)
{
    if (!kernelName.empty()) {
        if (auto name = nameOfLinkTo(fs::path(devRoot) / "disk" / linkFolder, kernelName))
            return name;
    }
    return propertyFromUdevDatabase(fs::path(udevRoot) / "data" / ("b" + deviceNumber(major, minor)), property);
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
    const bool flagged = attributeIs(disk / "removable", "1");
    const bool onCardBus = devicesRoot && hangsOnBusOf(disk, *devicesRoot, kCardBuses);
    const bool onDiskBus = devicesRoot && hangsOnBusOf(disk, *devicesRoot, kDiskBuses);
    facts.removable = flagged || onCardBus || onDiskBus;
    facts.hardDisk = !flagged && !onCardBus && onDiskBus;
    return facts;
}

std::optional<std::string> publishedLabel(const std::string& devRoot, const std::string& udevRoot,
    std::string_view kernelName, std::uint32_t major, std::uint32_t minor)
{
    return publishedProperty(devRoot, udevRoot, kernelName, major, minor, "by-label", kLabelProperty);
}

std::optional<std::string> publishedUuid(const std::string& devRoot, const std::string& udevRoot,
    std::string_view kernelName, std::uint32_t major, std::uint32_t minor)
{
    return publishedProperty(devRoot, udevRoot, kernelName, major, minor, "by-uuid", kUuidProperty);
}

std::string decodeUdevEscapes(std::string_view text)
{
    std::string decoded;
    decoded.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        const bool isEscape = text[i] == '\\' && i + 3 < text.size() && text[i + 1] == 'x' &&
            hexDigitValue(text[i + 2]) >= 0 && hexDigitValue(text[i + 3]) >= 0;
        if (isEscape) {
            decoded += static_cast<char>(hexDigitValue(text[i + 2]) * 16 + hexDigitValue(text[i + 3]));
            i += 3;
        } else {
            decoded += text[i];
        }
    }
    return decoded;
}

} // namespace zv
