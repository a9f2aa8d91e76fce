#pragma once

#include "drives/DriveProbe_linux.h"

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace zv::test {

// A throw-away proc, sys, dev and run/udev in a temporary folder, written the way the kernel
// and udev lay them out (relative symlinks into sys/devices, by-label links, udev records).
// Links may dangle: the probe only reads link targets, never device nodes.
class FakeSystemTree final {
public:
    FakeSystemTree();
    ~FakeSystemTree();
    FakeSystemTree(const FakeSystemTree&) = delete;
    FakeSystemTree& operator=(const FakeSystemTree&) = delete;

    [[nodiscard]] LinuxSystemPaths paths() const;

    // Puts a new proc/self/mountinfo in place by rename, as a fresh inode, so a watcher notices.
    void writeMountInfo(const std::vector<std::string>& lines) const;

    // A disk at sys/devices/`devicePath` (ending in its kernel name) with number `majMin`.
    void addDisk(std::string_view devicePath, std::string_view majMin, bool removable) const;
    void addPartition(std::string_view diskPath, std::string_view name, std::string_view majMin) const;
    void setRemovable(std::string_view diskPath, bool removable) const;
    // Links one level of a device chain to its bus, as sysfs does ("usb", "scsi", "mmc").
    void setSubsystem(std::string_view devicePath, std::string_view bus) const;
    void setScsiType(std::string_view diskPath, std::string_view type) const;

    // dev/disk/by-label/`encodedLabel` -> ../../`kernelName`
    void addLabelLink(std::string_view encodedLabel, std::string_view kernelName) const;
    // dev/disk/by-uuid/`uuid` -> ../../`kernelName`
    void addUuidLink(std::string_view uuid, std::string_view kernelName) const;
    // run/udev/data/b`majMin`
    void addUdevRecord(std::string_view majMin, std::string_view text) const;
    // etc/fstab
    void writeFstab(std::string_view text) const;

private:
    [[nodiscard]] std::filesystem::path devices(std::string_view devicePath) const;
    void linkBlockNumber(std::string_view majMin, std::string_view devicePath) const;

    std::filesystem::path root_;
};

} // namespace zv::test
