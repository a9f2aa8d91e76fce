// Checks the Linux probe and the time-file writer against a real mount. Run by
// removable_mount_test.sh inside a private mount namespace, with a loop device whose
// removable flag reads 1 and an empty folder to mount it on:
//     RemovableMountCheck /dev/loopN /media/zv-test-PID/CAMERA
// Exit 0 when every check holds, 1 when one fails, 77 when the mount itself is refused.
#include "common/TempFolder.h"
#include "drives/DriveProbe_linux.h"
#include "drives/DriveQueries.h"
#include "drives/RemovableDriveList.h"
#include "drives/TimeFileWriter.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <iostream>
#include <sys/mount.h>

namespace {

constexpr int kSkipped = 77;
constexpr std::string_view kExpectedBytes = "2012-10-02 14:24:32\r\n";

class Checks {
public:
    void expect(bool holds, std::string_view what)
    {
        std::cout << (holds ? "ok      " : "FAILED  ") << what << '\n';
        failed_ = failed_ || !holds;
    }
    [[nodiscard]] int exitCode() const { return failed_ ? 1 : 0; }

private:
    bool failed_ = false;
};

// Unmounts on the way out unless the test already did, so a failed check leaves no mount.
class Mount {
public:
    explicit Mount(std::string target) : target_(std::move(target)) { }
    ~Mount()
    {
        if (mounted_)
            ::umount2(target_.c_str(), MNT_DETACH);
    }
    Mount(const Mount&) = delete;
    Mount& operator=(const Mount&) = delete;

    [[nodiscard]] bool attach(const std::string& device)
    {
        mounted_ = ::mount(device.c_str(), target_.c_str(), "ext2", 0, nullptr) == 0;
        return mounted_;
    }
    [[nodiscard]] bool detach()
    {
        mounted_ = mounted_ && ::umount2(target_.c_str(), 0) != 0;
        return !mounted_;
    }

private:
    std::string target_;
    bool mounted_ = false;
};

bool contains(const std::vector<std::string>& roots, const std::string& root)
{
    return std::find(roots.begin(), roots.end(), root) != roots.end();
}

std::vector<std::string> rootsOf(const zv::RemovableDriveList& drives)
{
    std::vector<std::string> roots;
    for (const zv::DriveEntry& entry : drives.entries())
        roots.push_back(entry.rootPath);
    return roots;
}

void checkTheMountedCard(zv::LinuxDriveProbe& probe, zv::RemovableDriveList& drives, const std::string& saveDir,
    const std::string& root, Checks& checks)
{
    checks.expect(drives.poll(), "the next poll after mounting rebuilds the list");
    const auto row = std::find_if(drives.entries().begin(), drives.entries().end(),
        [&](const zv::DriveEntry& entry) { return entry.rootPath == root; });
    checks.expect(row != drives.entries().end(), "the mounted card is listed as removable: " + root);
    if (row == drives.entries().end())
        return;
    checks.expect(row->label == "CAMERA", "its label is CAMERA (got \"" + row->label + "\")");
    checks.expect(row->displayText == root, "it shows as its mount point (got \"" + row->displayText + "\")");
    zv::VolumeInformation info;
    const bool read = zv::GetVolumeInfo(probe, root, info);
    checks.expect(
        read && info.fileSystemName == "ext2", "its file system is ext2 (got \"" + info.fileSystemName + "\")");

    drives.choose(static_cast<int>(row - drives.entries().begin()));
    checks.expect(saveDir == root, "choosing its row makes it the folder to write to");
    const zv::TimeFileResult written = zv::writeTimeFile(saveDir, "TIME", "2012-10-02 14:24:32", probe);
    checks.expect(written.success, "the time file is written" + (written.success ? "" : ": " + written.text));
    checks.expect(zv::test::readBytes(root + "TIME.txt") == kExpectedBytes, "TIME.txt holds exactly the written bytes");

    // A link on the card in the time file's place is replaced; what it points at stays as it was.
    const zv::test::TempFolder outside;
    zv::test::writeBytes(outside.file("victim"), "precious");
    std::filesystem::remove(root + "TIME.txt");
    std::filesystem::create_symlink(outside.file("victim"), root + "TIME.txt");
    const zv::TimeFileResult overLink = zv::writeTimeFile(saveDir, "TIME", "2012-10-02 14:24:32", probe);
    checks.expect(
        overLink.success, "a link named TIME.txt is written over" + (overLink.success ? "" : ": " + overLink.text));
    checks.expect(
        zv::test::readBytes(outside.file("victim")) == "precious", "the file the link pointed at is untouched");
    checks.expect(std::filesystem::is_regular_file(std::filesystem::symlink_status(root + "TIME.txt")) &&
            zv::test::readBytes(root + "TIME.txt") == kExpectedBytes,
        "TIME.txt is now a file on the card with the written bytes");
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 3) {
        std::cerr << "usage: RemovableMountCheck LOOP_DEVICE MOUNT_POINT\n";
        return 2;
    }
    const std::string device = argv[1];
    const std::string mountPoint = argv[2];
    const std::string root = mountPoint + '/';

    zv::LinuxDriveProbe probe;
    std::string saveDir;
    zv::RemovableDriveList drives(probe, saveDir);
    drives.poll();
    const std::vector<std::string> baseline = rootsOf(drives);
    const bool buttonBefore = drives.setButtonEnabled();
    Checks checks;
    checks.expect(!contains(baseline, root), "the card is not listed before it is mounted");

    Mount card(mountPoint);
    if (!card.attach(device)) {
        std::cout << "SKIP: mount " << device << " on " << mountPoint << ": " << std::strerror(errno) << '\n';
        return kSkipped;
    }
    checkTheMountedCard(probe, drives, saveDir, root, checks);
    checks.expect(card.detach(), "the card is unmounted");
    // Pressed before the next poll: SaveDir now names the bare mount-point folder on this disk.
    const zv::TimeFileResult afterUnmount = zv::writeTimeFile(saveDir, "TAG", "2012-10-02 14:24:32", probe);
    checks.expect(!afterUnmount.success, "a write between the unmount and the next poll fails");
    checks.expect(std::filesystem::is_empty(mountPoint), "and leaves nothing in the bare mount-point folder");
    checks.expect(drives.poll(), "the next poll after umount rebuilds the list");
    checks.expect(rootsOf(drives) == baseline, "the list holds the drives of before");
    checks.expect(drives.setButtonEnabled() == buttonBefore, "the set button is as it was before");
    checks.expect(saveDir == root, "the folder to write to keeps its value");
    return checks.exitCode();
}
