#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace zv {

// What sysfs tells of the block device behind a mount. Read from attribute files and links
// only, so the medium itself is never touched.
struct BlockDeviceFacts {
    bool present = false; // the kernel has a block device with this number
    bool removable = false; // its disk's flag is 1, or it hangs on a hot-plug bus
    // On a USB or FireWire bus with its disk's flag 0: a disk that says it is a hard disk. A
    // built-in SD slot (MMC, flag 0) is no such disk: it holds nothing but cards.
    bool hardDisk = false;
    bool opticalDrive = false; // a SCSI device of type 5 (CD/DVD)
    std::string kernelName; // "sdb1": the name /dev and udev give it
};

// Looks up MAJ:MIN under `sysRoot` (normally "/sys").
[[nodiscard]] BlockDeviceFacts readBlockDeviceFacts(
    const std::string& sysRoot, std::uint32_t major, std::uint32_t minor);

// The label udev published for a device: the `devRoot`/disk/by-label link that points at
// `kernelName`, else ID_FS_LABEL_ENC in `udevRoot`/data/bMAJ:MIN.
[[nodiscard]] std::optional<std::string> publishedLabel(const std::string& devRoot, const std::string& udevRoot,
    std::string_view kernelName, std::uint32_t major, std::uint32_t minor);

// The file system's UUID udev published for a device: the `devRoot`/disk/by-uuid link that
// points at `kernelName`, else ID_FS_UUID_ENC in `udevRoot`/data/bMAJ:MIN. A reformatted card
// gets a new one.
[[nodiscard]] std::optional<std::string> publishedUuid(const std::string& devRoot, const std::string& udevRoot,
    std::string_view kernelName, std::uint32_t major, std::uint32_t minor);

// Decodes udev's "\xHH" escapes; a backslash not followed by 'x' and two hex digits stays.
[[nodiscard]] std::string decodeUdevEscapes(std::string_view text);

} // namespace zv
