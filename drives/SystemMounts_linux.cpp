#include "drives/SystemMounts_linux.h"

#include "drives/MountInfo.h"

#include <algorithm>
#include <array>
#include <vector>

namespace zv {

namespace {

// The system's own folders, where nothing but the system is mounted.
constexpr auto kSystemFolders = std::to_array<std::string_view>(
    {"/usr", "/var", "/boot", "/opt", "/srv", "/etc", "/bin", "/sbin", "/lib", "/lib64", "/proc", "/sys", "/dev"});
// Mount points that are the system's only as themselves: a folder below /home or /tmp may be
// where the user mounts a card.
constexpr auto kSystemMountPoints = std::to_array<std::string_view>({"/", "/home", "/tmp", "/root"});

bool isAtOrBelow(std::string_view path, std::string_view folder)
{
    return path == folder || (path.starts_with(folder) && path.size() > folder.size() && path[folder.size()] == '/');
}

std::string_view withoutTrailingSlashes(std::string_view path)
{
    while (path.size() > 1 && path.ends_with('/'))
        path.remove_suffix(1);
    return path;
}

std::vector<std::string_view> blankSeparatedFields(std::string_view line)
{
    std::vector<std::string_view> fields;
    constexpr std::string_view kBlanks = " \t";
    for (std::size_t start = line.find_first_not_of(kBlanks); start != std::string_view::npos;) {
        const std::size_t end = line.find_first_of(kBlanks, start);
        fields.push_back(line.substr(start, end - start));
        start = end == std::string_view::npos ? end : line.find_first_not_of(kBlanks, end);
    }
    return fields;
}

bool hasOption(std::string_view options, std::string_view wanted)
{
    while (!options.empty()) {
        const std::size_t comma = options.find(',');
        if (options.substr(0, comma) == wanted)
            return true;
        options = comma == std::string_view::npos ? std::string_view{} : options.substr(comma + 1);
    }
    return false;
}

} // namespace

bool isSystemMountPoint(std::string_view mountPoint)
{
    const std::string_view path = withoutTrailingSlashes(mountPoint);
    return std::find(kSystemMountPoints.begin(), kSystemMountPoints.end(), path) != kSystemMountPoints.end() ||
        std::any_of(kSystemFolders.begin(), kSystemFolders.end(),
            [path](std::string_view folder) { return isAtOrBelow(path, folder); });
}

std::set<std::string> mountedAtBoot(std::string_view fstabText)
{
    std::set<std::string> mountPoints;
    while (!fstabText.empty()) {
        const std::size_t end = fstabText.find('\n');
        std::string_view line = fstabText.substr(0, end);
        fstabText = end == std::string_view::npos ? std::string_view{} : fstabText.substr(end + 1);
        line = line.substr(0, line.find('#'));
        const std::vector<std::string_view> fields = blankSeparatedFields(line);
        // spec, mount point, type, options; swap has no mount point of its own
        if (fields.size() < 2 || fields[1] == "none" || (fields.size() >= 3 && fields[2] == "swap"))
            continue;
        if (fields.size() >= 4 && hasOption(fields[3], "noauto"))
            continue;
        mountPoints.insert(std::string(withoutTrailingSlashes(decodeMountInfoEscapes(fields[1]))));
    }
    return mountPoints;
}

} // namespace zv
