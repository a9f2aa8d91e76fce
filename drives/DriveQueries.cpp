#include "drives/DriveQueries.h"

namespace zv {

namespace {

constexpr std::size_t kVolumeTextLimit = 259; // a 260-byte buffer less its closing zero

void cutAsBufferWould(std::string& text)
{
    const auto zero = text.find('\0');
    if (zero != std::string::npos)
        text.resize(zero);
    if (text.size() > kVolumeTextLimit)
        text.resize(kVolumeTextLimit);
}

} // namespace

std::vector<std::string> GetDrivesOfType(DriveProbe& probe, DriveType type)
{
    std::vector<std::string> roots;
    for (const std::string& root : probe.candidateRoots()) {
        if (probe.driveType(root) == type)
            roots.push_back(root);
    }
    return roots;
}

std::size_t CountDrivesOfType(DriveProbe& probe, DriveType type)
{
    std::size_t count = 0;
    for (const std::string& root : probe.candidateRoots()) {
        if (probe.driveType(root) == type)
            ++count;
    }
    return count;
}

std::string_view lastPathComponent(std::string_view path)
{
    while (path.ends_with('/'))
        path.remove_suffix(1);
    const auto slash = path.rfind('/');
    return slash == std::string_view::npos ? path : path.substr(slash + 1);
}

bool GetVolumeInfo(DriveProbe& probe, const std::string& root, VolumeInformation& out)
{
    VolumeInformation info;
    if (!probe.volumeInformation(root, info))
        return false;
    cutAsBufferWould(info.label);
    cutAsBufferWould(info.fileSystemName);
    out = std::move(info);
    return true;
}

} // namespace zv
