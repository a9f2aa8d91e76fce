#include "drives/DriveProbe_linux.h"

#include "drives/DriveQueries.h"
#include "drives/MountInfo.h"
#include "drives/SystemMounts_linux.h"

#include <algorithm>
#include <array>
#include <fstream>
#include <iterator>
#include <string_view>
#include <sys/sysmacros.h>

namespace zv {

namespace {

constexpr auto kNetworkFileSystems = std::to_array<std::string_view>({"nfs", "nfs4", "cifs", "smb3", "smbfs", "ncpfs",
    "afs", "ceph", "9p", "sshfs", "fuse.sshfs", "fuse.rclone", "fuse.glusterfs", "davfs", "fuse.davfs"});

constexpr auto kMemoryFileSystems = std::to_array<std::string_view>({"tmpfs", "ramfs"});

template <std::size_t N> bool isOneOf(const std::string& fsType, const std::array<std::string_view, N>& names)
{
    return std::find(names.begin(), names.end(), fsType) != names.end();
}

DriveType typeOfDevice(const BlockDeviceFacts& device)
{
    if (device.opticalDrive)
        return DriveType::CdRom;
    return device.removable ? DriveType::Removable : DriveType::Fixed;
}

// File systems without a block device: tmpfs, proc, network shares, btrfs' anonymous numbers.
DriveType typeWithoutDevice(const std::string& fsType)
{
    if (isOneOf(fsType, kNetworkFileSystems))
        return DriveType::Remote;
    if (isOneOf(fsType, kMemoryFileSystems))
        return DriveType::RamDisk;
    return DriveType::Unknown;
}

std::string rootOf(const std::string& mountPoint) { return mountPoint.ends_with('/') ? mountPoint : mountPoint + '/'; }

// The system's own file systems as fstab names them; a missing or unreadable fstab names none.
std::set<std::string> systemMountsOf(const std::string& fstab)
{
    constexpr std::streamsize kMostBytes = 256 * 1024; // far beyond any real fstab
    std::ifstream file(fstab, std::ios::binary);
    std::string text(static_cast<std::size_t>(kMostBytes), '\0');
    file.read(text.data(), kMostBytes);
    text.resize(static_cast<std::size_t>(file.gcount()));
    return mountedAtBoot(text);
}

} // namespace

LinuxDriveProbe::LinuxDriveProbe(LinuxSystemPaths paths)
    : paths_(std::move(paths)), watch_(paths_.proc + "/self/mountinfo")
{
    refreshIfChanged();
}

const std::vector<std::string>& LinuxDriveProbe::candidateRoots()
{
    refreshIfChanged();
    tableReadsHandedOut_ = tableReads_;
    expectedNext_ = 0;
    return roots_;
}

bool LinuxDriveProbe::answersMayHaveChanged()
{
    refreshIfChanged();
    return stale_ || tableReads_ != tableReadsHandedOut_;
}

DriveType LinuxDriveProbe::driveType(const std::string& root)
{
    const Drive* drive = find(root);
    return drive ? drive->type : DriveType::NoRootDirectory;
}

bool LinuxDriveProbe::volumeInformation(const std::string& root, VolumeInformation& out)
{
    const Drive* drive = find(root);
    if (!drive)
        return false;
    std::optional<std::string> label;
    std::optional<std::string> uuid;
    if (!drive->kernelName.empty()) {
        label = publishedLabel(paths_.dev, paths_.udev, drive->kernelName, drive->major, drive->minor);
        uuid = publishedUuid(paths_.dev, paths_.udev, drive->kernelName, drive->major, drive->minor);
    }
    out.label = label ? std::move(*label) : std::string(lastPathComponent(drive->mountPoint));
    out.fileSystemName = drive->fsType;
    out.identity = drive->major != 0 ? static_cast<std::uint64_t>(makedev(drive->major, drive->minor)) : 0;
    out.fileSystemId = uuid.value_or(std::string());
    return true;
}

bool LinuxDriveProbe::isHardDisk(const std::string& root)
{
    const Drive* drive = find(root);
    return drive != nullptr && drive->hardDisk;
}

// Read afresh and kept apart from the poll's cache: the card may have gone since the last
// tick, and the next poll must still notice that for itself.
bool LinuxDriveProbe::isRemovableRootNow(const std::string& root, std::uint64_t device)
{
    std::string table;
    if (!watch_.read(table))
        return false;
    for (const MountInfoEntry& mount : visibleMounts(parseMountInfo(table))) {
        if (rootOf(mount.mountPoint) != root)
            continue;
        if (isSystemMountPoint(mount.mountPoint) || systemMountsOf(paths_.fstab).contains(mount.mountPoint))
            return false;
        // Anonymous numbers (0:N) never name a block device, so never a card.
        const bool wholeCard = mount.major != 0 && mount.root == "/";
        return wholeCard && makedev(mount.major, mount.minor) == device &&
            typeOfDevice(readBlockDeviceFacts(paths_.sys, mount.major, mount.minor)) == DriveType::Removable;
    }
    return false;
}

void LinuxDriveProbe::refreshIfChanged()
{
    if (!watch_.changed() && !stale_)
        return;
    std::string table;
    stale_ = !watch_.read(table);
    if (stale_)
        return;
    ++tableReads_;
    rebuild(visibleMounts(parseMountInfo(table)));
}

void LinuxDriveProbe::rebuild(std::vector<MountInfoEntry> mounts)
{
    roots_.clear();
    drives_.clear();
    indexOfRoot_.clear();
    const std::set<std::string> mountedAtBoot = systemMountsOf(paths_.fstab);
    std::unordered_map<std::uint64_t, BlockDeviceFacts> stillMounted;
    for (MountInfoEntry& mount : mounts) {
        Drive drive{std::move(mount.mountPoint), std::move(mount.fsType), mount.major, mount.minor, {}, {}, false};
        if (drive.major == 0) { // anonymous numbers never name a block device
            drive.type = typeWithoutDevice(drive.fsType);
        } else {
            const BlockDeviceFacts& device = stillMounted[deviceKey(drive.major, drive.minor)] =
                factsOf(drive.major, drive.minor);
            drive.kernelName = device.kernelName;
            drive.type = device.present ? typeOfDevice(device) : typeWithoutDevice(drive.fsType);
            drive.hardDisk = device.hardDisk;
            // A bind of one folder of a card is not the card's root: the time file written
            // there would never reach the camera.
            if (mount.root != "/")
                drive.type = DriveType::NoRootDirectory;
        }
        if (drive.type == DriveType::Removable &&
            (isSystemMountPoint(drive.mountPoint) || mountedAtBoot.contains(drive.mountPoint)))
            drive.type = DriveType::Fixed; // the system's own disk, whatever bus it hangs on
        drives_.push_back(std::move(drive));
    }
    // Hard disks after the others, each part in mount-point order.
    std::stable_partition(drives_.begin(), drives_.end(), [](const Drive& drive) { return !drive.hardDisk; });
    for (const Drive& drive : drives_) {
        roots_.push_back(rootOf(drive.mountPoint));
        indexOfRoot_.emplace(roots_.back(), roots_.size() - 1);
    }
    // A number leaves the cache with its last mount: the kernel cannot give it to another
    // device while a mount still holds it, so kept answers are never those of a newcomer.
    devices_ = std::move(stillMounted);
    expectedNext_ = 0;
}

BlockDeviceFacts LinuxDriveProbe::factsOf(std::uint32_t major, std::uint32_t minor) const
{
    const auto known = devices_.find(deviceKey(major, minor));
    return known != devices_.end() ? known->second : readBlockDeviceFacts(paths_.sys, major, minor);
}

const LinuxDriveProbe::Drive* LinuxDriveProbe::find(const std::string& root)
{
    // Callers walk the list candidateRoots() returned, so the next root is usually that very
    // string: comparing addresses spares a string comparison per root on every tick.
    std::size_t index = expectedNext_;
    const bool expected = index < roots_.size() && (&roots_[index] == &root || roots_[index] == root);
    if (!expected) {
        const auto found = indexOfRoot_.find(root);
        if (found == indexOfRoot_.end())
            return nullptr;
        index = found->second;
    }
    expectedNext_ = index + 1;
    return &drives_[index];
}

std::unique_ptr<DriveProbe> makeSystemDriveProbe() { return std::make_unique<LinuxDriveProbe>(); }

} // namespace zv
