#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace zv {

// Drive type codes in the Windows numbering, which the drive list speaks on every platform.
enum class DriveType : std::uint16_t {
    Unknown = 0,
    NoRootDirectory = 1,
    Removable = 2,
    Fixed = 3,
    Remote = 4,
    CdRom = 5,
    RamDisk = 6,
};

// What the system tells of a mounted volume. The label is shown; the identity keeps the user's
// choice of drive apart from another volume later mounted at the same root; the file-system id
// recognises a card set before. The rest is fetched because the platform hands it over in the
// same call.
struct VolumeInformation {
    std::string label;
    std::string fileSystemName;
    std::uint32_t serialNumber = 0;
    std::uint32_t maxComponentLength = 0;
    std::uint32_t fileSystemFlags = 0;
    std::uint64_t identity = 0; // the block device's number on Linux, the serial number on Windows
    std::string fileSystemId; // the partition's UUID on Linux, the serial as "XXXX-XXXX" on Windows
};

// The platform seam of drive discovery. A root is a drive's root folder as the platform
// writes it, with its trailing separator: "E:\" on Windows, "/media/user/CAM/" on Linux.
class DriveProbe {
public:
    virtual ~DriveProbe() = default;

    // Every root that may be a drive, in the order the drive list shows them.
    // Called on every tick of the work timer, so it must be cheap when nothing changed.
    virtual const std::vector<std::string>& candidateRoots() = 0;

    // The type of a root. Never touches the medium.
    virtual DriveType driveType(const std::string& root) = 0;

    // The volume information of a root; false when it cannot be read (then `out` is untouched).
    virtual bool volumeInformation(const std::string& root, VolumeInformation& out) = 0;

    // True for a removable root that is a hard disk on a hot-plug bus (a USB disk that says it
    // is not removable): listed after the others and never chosen without the user.
    [[nodiscard]] virtual bool isHardDisk(const std::string& /*root*/) { return false; }

    // False when candidateRoots() and driveType() would answer just as they did when
    // candidateRoots() was last called, so a poll may skip asking them. A probe that cannot
    // tell that cheaply says true.
    virtual bool answersMayHaveChanged() { return true; }

    // For a waiter that can watch a descriptor, so a poll need not ask the system on every
    // tick: a descriptor that polls exceptional (POLLPRI) when the answers may have changed, or
    // -1 when the probe has none. Whoever takes it calls changeSignalled() on each report, from
    // any thread.
    [[nodiscard]] virtual int takeChangeHandle() { return -1; }
    virtual void changeSignalled() { }

    // Asked right before a write, apart from the poll: is `root` at this moment a removable
    // drive, and is `device` the device its opened folder lives on? A card pulled since the
    // last poll leaves its bare mount-point folder behind on the computer's own disk, which the
    // path alone cannot tell from the card. `device` is the folder's st_dev on POSIX; the
    // Windows probe ignores it, as a drive letter's root cannot be swapped for another folder.
    [[nodiscard]] virtual bool isRemovableRootNow(const std::string& root, std::uint64_t device) = 0;
};

// The real probe of the platform the program runs on.
[[nodiscard]] std::unique_ptr<DriveProbe> makeSystemDriveProbe();

} // namespace zv
