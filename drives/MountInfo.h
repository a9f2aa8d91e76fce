#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace zv {

// One line of /proc/<pid>/mountinfo with the kernel's octal escapes decoded.
struct MountInfoEntry {
    std::uint64_t mountId = 0;
    std::uint64_t parentId = 0;
    std::uint32_t major = 0; // 0 for file systems without a block device (tmpfs, proc, nfs, btrfs)
    std::uint32_t minor = 0;
    std::string root; // the folder of the file system seen at the mount point; "/" for all of it
    std::string mountPoint;
    std::string fsType;
    std::string source;
};

// MAJ:MIN as one number, for keying maps by device.
[[nodiscard]] constexpr std::uint64_t deviceKey(std::uint32_t major, std::uint32_t minor)
{
    return (std::uint64_t{major} << 32) | minor;
}

// Decodes the "\ooo" escapes the kernel writes for space, tab, newline and backslash.
// A backslash that does not start three octal digits of one byte stays as it is.
[[nodiscard]] std::string decodeMountInfoEscapes(std::string_view field);

// The well-formed lines of `text` in table order; any other line is skipped.
[[nodiscard]] std::vector<MountInfoEntry> parseMountInfo(std::string_view text);

// The mounts a user sees as drives, ordered by mount point: per mount point only the last
// mount (it lies on top and hides the others), and per device (MAJ:MIN) one mount, the one
// showing the whole file system when there is one, else the first in table order.
[[nodiscard]] std::vector<MountInfoEntry> visibleMounts(std::vector<MountInfoEntry> entries);

} // namespace zv
