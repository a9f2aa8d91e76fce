#include "drives/VolumeSize.h"

#include <cerrno>
#include <sys/statvfs.h>

namespace zv {

std::optional<std::uint64_t> volumeTotalBytes(const std::string& root)
{
    struct statvfs status { };
    int result = -1;
    do {
        result = ::statvfs(root.c_str(), &status);
    } while (result != 0 && errno == EINTR);
    if (result != 0)
        return std::nullopt;
    // The blocks are counted in fragments; a file system that leaves the fragment size 0 uses blocks.
    const std::uint64_t unit = status.f_frsize != 0 ? status.f_frsize : status.f_bsize;
    return std::uint64_t{status.f_blocks} * unit;
}

} // namespace zv
