#pragma once

#include "drives/BlockDevice_linux.h"
#include "drives/DriveProbe.h"
#include "drives/MountTableWatch_linux.h"

#include <cstdint>
#include <string>
#include <unordered_map>
#include <vector>

namespace zv {

struct MountInfoEntry;

// Where the probe finds the kernel's and udev's views; tests point them into a fake tree.
struct LinuxSystemPaths {
    std::string proc = "/proc";
    std::string sys = "/sys";
    std::string dev = "/dev";
    std::string udev = "/run/udev";
    std::string fstab = "/etc/fstab";
};

// Drives are the mounted file systems of /proc/self/mountinfo. A mount is removable when its
// block device's disk says so in sysfs or hangs on a hot-plug bus, and it is not where the
// system lives (/, /home, /usr, ..., or what /etc/fstab mounts at boot); hard disks on a USB bus
// come after the others. Labels come from udev's links and database, else from the mount
// point's name. Nothing reads the medium.
//
// The table and the sysfs answers are read again only when the mount table changed, so a
// poll without a change costs one poll() call and a lookup per candidate, or no system call at
// all once an event loop watches the table's change mark.
class LinuxDriveProbe final : public DriveProbe {
public:
    explicit LinuxDriveProbe(LinuxSystemPaths paths = {});

    const std::vector<std::string>& candidateRoots() override;
    DriveType driveType(const std::string& root) override;
    bool volumeInformation(const std::string& root, VolumeInformation& out) override;
    bool isHardDisk(const std::string& root) override;
    // Only a changed mount table changes the answers: sysfs is read again only then.
    bool answersMayHaveChanged() override;
    int takeChangeHandle() override { return watch_.handOverChangeMark(); }
    void changeSignalled() override { watch_.signalled(); }
    bool isRemovableRootNow(const std::string& root, std::uint64_t device) override;

    // How many times the mount table was read; a poll that finds no change leaves it alone.
    [[nodiscard]] std::uint64_t tableReads() const { return tableReads_; }

private:
    struct Drive {
        std::string mountPoint;
        std::string fsType;
        std::uint32_t major = 0;
        std::uint32_t minor = 0;
        std::string kernelName; // empty without a block device
        DriveType type = DriveType::Unknown;
        bool hardDisk = false;
    };

    void refreshIfChanged();
    void rebuild(std::vector<MountInfoEntry> mounts);
    [[nodiscard]] BlockDeviceFacts factsOf(std::uint32_t major, std::uint32_t minor) const;
    [[nodiscard]] const Drive* find(const std::string& root);

    LinuxSystemPaths paths_;
    MountTableWatch watch_;
    bool stale_ = true; // a read failed, so the next poll tries again even without a mark
    std::uint64_t tableReads_ = 0;
    std::uint64_t tableReadsHandedOut_ = 0; // tableReads_ when candidateRoots() last answered
    std::vector<std::string> roots_;
    std::vector<Drive> drives_; // parallel to roots_
    std::unordered_map<std::string, std::size_t> indexOfRoot_;
    std::unordered_map<std::uint64_t, BlockDeviceFacts> devices_; // sysfs answers by MAJ:MIN
    std::size_t expectedNext_ = 0; // callers ask in candidate order; this skips the hashing
};

} // namespace zv
