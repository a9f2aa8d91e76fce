#include "drives/DriveProbe_linux.h"
#include "drives/DriveQueries.h"
#include "drives/SystemMounts_linux.h"
#include "drives/linux/FakeSystemTree.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <set>
#include <sys/sysmacros.h>

namespace zv {
namespace {

using Roots = std::vector<std::string>;

constexpr std::string_view kSataDisk = "pci0000:00/0000:00:17.0/ata1/host0/target0:0:0/0:0:0:0/block/sda";
constexpr std::string_view kCardReader = "pci0000:00/0000:00:1c.0/host6/target6:0:0/6:0:0:0/block/sdb";
constexpr std::string_view kUsbStick = "pci0000:00/0000:00:14.0/usb1/1-2/1-2:1.0/host7/target7:0:0/7:0:0:0/block/sdc";
constexpr std::string_view kSdSlot = "pci0000:00/0000:00:1e.6/mmc_host/mmc0/mmc0:aaaa/block/mmcblk0";
constexpr std::string_view kDvdDrive = "pci0000:00/0000:00:17.0/ata2/host1/target1:0:0/1:0:0:0/block/sr0";

// A desktop with every kind of mount the probe must tell apart.
class LinuxDriveProbeTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        tree.addDisk(kSataDisk, "8:0", false);
        tree.addPartition(kSataDisk, "sda1", "8:1");
        tree.setSubsystem("pci0000:00/0000:00:17.0/ata1/host0/target0:0:0/0:0:0:0", "scsi");
        tree.setSubsystem("pci0000:00/0000:00:17.0", "pci");
        // An internal reader: removable only by its disk's flag, nothing hot-plug on the way.
        tree.addDisk(kCardReader, "8:16", true);
        tree.addPartition(kCardReader, "sdb1", "8:17");
        tree.addPartition(kCardReader, "sdb2", "8:18");
        tree.setSubsystem("pci0000:00/0000:00:1c.0/host6/target6:0:0/6:0:0:0", "scsi");
        // A stick with flag 0: removable only because usb sits up the chain.
        tree.addDisk(kUsbStick, "8:32", false);
        tree.addPartition(kUsbStick, "sdc1", "8:33");
        tree.addPartition(kUsbStick, "sdc2", "8:34");
        tree.setSubsystem("pci0000:00/0000:00:14.0/usb1/1-2", "usb");
        tree.setSubsystem("pci0000:00/0000:00:14.0/usb1/1-2/1-2:1.0/host7", "scsi");
        tree.addDisk(kSdSlot, "179:0", false);
        tree.addPartition(kSdSlot, "mmcblk0p1", "179:1");
        tree.setSubsystem("pci0000:00/0000:00:1e.6/mmc_host/mmc0/mmc0:aaaa", "mmc");
        tree.addDisk("virtual/block/loop0", "7:0", true);
        tree.addDisk("virtual/block/loop1", "7:1", false);
        tree.addDisk(kDvdDrive, "11:0", true);
        tree.setScsiType(kDvdDrive, "5");

        tree.addLabelLink("My\\x20Card", "sdb1");
        tree.addLabelLink("DECOY", "sdb10");
        tree.addLabelLink("Cam\\xc3\\xa9ra", "loop0");
        tree.addUuidLink("1A2B-3C4D", "sdb1");
        tree.addUuidLink("DEAD-BEEF", "sdb10");
        tree.addUdevRecord("8:33",
            "S:disk/by-uuid/3A5F\nE:ID_FS_LABEL=USB_STICK\nE:ID_FS_LABEL_ENC=USB\\x20STICK\nE:ID_FS_UUID_ENC=3A5F\n");
        tree.writeMountInfo(kTable);
    }

    test::FakeSystemTree tree;
    const std::vector<std::string> kTable = {
        "21 1 8:1 / / rw,relatime shared:1 - ext4 /dev/sda1 rw",
        "22 21 0:21 / /proc rw - proc proc rw",
        "23 21 0:25 / /run rw shared:5 - tmpfs tmpfs rw,mode=755",
        "24 21 0:40 / /data rw - btrfs /dev/sda2 rw,subvolid=5",
        "30 21 8:17 / /media/u/CARD rw shared:9 - vfat /dev/sdb1 rw",
        "31 21 8:17 /DCIM /home/u/dcim rw shared:9 - vfat /dev/sdb1 rw",
        "32 23 8:33 / /run/media/u/stick rw - exfat /dev/sdc1 rw",
        "33 21 179:1 / /media/u/\320\244\320\276\321\202\320\276\\040SD rw - vfat /dev/mmcblk0p1 rw",
        "34 21 7:0 / /mnt/loop\\040card rw - ext2 /dev/loop0 rw",
        "35 21 7:1 / /snap/core/1 ro - squashfs /dev/loop1 ro",
        "36 21 11:0 / /media/u/DVD ro - iso9660 /dev/sr0 ro",
        "37 21 0:50 / /mnt/nas rw - nfs4 server:/export rw",
        "38 21 0:51 / /home/u/remote rw - fuse.sshfs u@host: rw",
        "39 21 8:34 / /mnt/stack rw - vfat /dev/sdc2 rw",
        "40 21 0:52 / /mnt/stack rw - tmpfs tmpfs rw",
        "41 21 8:99 / /mnt/ghost rw - ext4 /dev/ghost rw",
        "42 21 8:18 /photos /home/u/photos rw - vfat /dev/sdb2 rw",
    };
};

TEST_F(LinuxDriveProbeTest, candidatesAreVisibleMountPointsInPathOrderWithOneRootPerDevice)
{
    LinuxDriveProbe probe(tree.paths());
    EXPECT_EQ(probe.candidateRoots(),
        (Roots{"/", "/data/", "/home/u/photos/", "/home/u/remote/", "/media/u/CARD/", "/media/u/DVD/",
            "/media/u/\320\244\320\276\321\202\320\276 SD/", "/mnt/ghost/", "/mnt/loop card/", "/mnt/nas/",
            "/mnt/stack/", "/proc/", "/run/", "/snap/core/1/",
            "/run/media/u/stick/"})); // flag 0 on USB: a hard disk by its own word, last
}

TEST_F(LinuxDriveProbeTest, flagOrHotPlugBusMakesRemovableNeverTheName)
{
    const std::pair<std::string_view, DriveType> cases[] = {
        {"/media/u/CARD/", DriveType::Removable}, // partition -> disk flag 1
        {"/run/media/u/stick/", DriveType::Removable}, // flag 0, usb up the chain
        {"/media/u/\320\244\320\276\321\202\320\276 SD/", DriveType::Removable}, // mmc bus
        {"/mnt/loop card/", DriveType::Removable}, // a loop device whose flag reads 1
        {"/snap/core/1/", DriveType::Fixed}, // a loop device with flag 0
        {"/", DriveType::Fixed}, // SATA
        {"/media/u/DVD/", DriveType::CdRom},
        {"/mnt/nas/", DriveType::Remote},
        {"/home/u/remote/", DriveType::Remote},
        {"/run/", DriveType::RamDisk},
        {"/mnt/stack/", DriveType::RamDisk}, // the tmpfs on top hides the stick's partition
        {"/proc/", DriveType::Unknown},
        {"/data/", DriveType::Unknown}, // btrfs: an anonymous number, no block device
        {"/mnt/ghost/", DriveType::Unknown}, // a number sysfs does not know
        {"/home/u/dcim/", DriveType::NoRootDirectory}, // folded into /media/u/CARD/
        {"/home/u/photos/", DriveType::NoRootDirectory}, // only a folder of the card is mounted
        {"/media/u/CARD", DriveType::NoRootDirectory},
        {"", DriveType::NoRootDirectory},
    };
    LinuxDriveProbe probe(tree.paths());
    for (const auto& [root, type] : cases)
        EXPECT_EQ(probe.driveType(std::string(root)), type) << root;

    EXPECT_EQ(GetDrivesOfType(probe, DriveType::Removable),
        (Roots{"/media/u/CARD/", "/media/u/\320\244\320\276\321\202\320\276 SD/", "/mnt/loop card/",
            "/run/media/u/stick/"}));
}

// Where the system lives nothing is offered, whatever bus the disk hangs on; a USB disk that says
// it is no removable one comes last and is marked, a built-in SD slot stays as it is.
TEST(LinuxDriveProbeSystemPlaces, systemMountPointsAreNeverOfferedAndHardDisksComeLast)
{
    test::FakeSystemTree tree;
    const std::string_view usb = "pci0000:00/0000:00:14.0/usb1";
    const auto usbDisk = [&](std::string_view name, std::string_view majMin, bool flag) {
        const std::string path = std::string(usb) + "/1-1/host7/target7:0:0/7:0:0:0/block/" + std::string(name);
        tree.addDisk(path, majMin, flag);
    };
    tree.setSubsystem(usb, "usb");
    usbDisk("sda", "8:0", true); // a card reader on /home
    usbDisk("sdb", "8:16", true); // on /
    usbDisk("sdc", "8:32", true); // fstab mounts it at boot
    usbDisk("sdd", "8:48", true); // fstab knows it, but "noauto": mounted when it is there
    usbDisk("sde", "8:64", false); // a USB hard disk
    usbDisk("sdf", "8:80", true); // the camera
    usbDisk("sdg", "8:96", true); // below /var
    usbDisk("sdh", "8:112", true); // below /home: the user's own place
    tree.addDisk("pci0000:00/0000:00:1e.6/mmc_host/mmc0/mmc0:aaaa/block/mmcblk0", "179:0", false);
    tree.setSubsystem("pci0000:00/0000:00:1e.6/mmc_host/mmc0/mmc0:aaaa", "mmc");
    tree.writeFstab("# static file systems\n"
                    "UUID=1234 /data ext4 defaults 0 2\n"
                    "/dev/sdd /mnt/reader vfat noauto,user 0 0\n"
                    "/dev/sdx none swap sw 0 0\n");
    tree.writeMountInfo({
        "20 1 8:16 / / rw - ext4 /dev/sdb rw",
        "21 20 8:0 / /home rw - ext4 /dev/sda rw",
        "22 20 8:32 / /data rw - ext4 /dev/sdc rw",
        "23 20 8:48 / /mnt/reader rw - vfat /dev/sdd rw",
        "24 20 8:64 / /media/u/BACKUP rw - ext4 /dev/sde rw",
        "25 20 8:80 / /media/u/CAMERA rw - vfat /dev/sdf rw",
        "26 20 8:96 / /var/lib/stick rw - vfat /dev/sdg rw",
        "27 21 8:112 / /home/u/usb rw - vfat /dev/sdh rw",
        "28 20 179:0 / /media/u/SD rw - vfat /dev/mmcblk0 rw",
    });
    LinuxDriveProbe probe(tree.paths());
    EXPECT_EQ(GetDrivesOfType(probe, DriveType::Removable),
        (Roots{"/home/u/usb/", "/media/u/CAMERA/", "/media/u/SD/", "/mnt/reader/", "/media/u/BACKUP/"}));
    for (const std::string_view root : {"/", "/home/", "/data/", "/var/lib/stick/"})
        EXPECT_EQ(probe.driveType(std::string(root)), DriveType::Fixed) << root;
    EXPECT_TRUE(probe.isHardDisk("/media/u/BACKUP/"));
    EXPECT_FALSE(probe.isHardDisk("/media/u/SD/"));
    EXPECT_FALSE(probe.isHardDisk("/media/u/CAMERA/"));
    // Asked right before a write too: a folder of the system is never confirmed as a card.
    EXPECT_FALSE(probe.isRemovableRootNow("/home/", makedev(8, 0)));
    EXPECT_FALSE(probe.isRemovableRootNow("/data/", makedev(8, 32)));
    EXPECT_TRUE(probe.isRemovableRootNow("/media/u/CAMERA/", makedev(8, 80)));
}

TEST(LinuxFstab, onlyWhatIsMountedAtBootIsTheSystems)
{
    EXPECT_EQ(mountedAtBoot("# comment\n"
                            "\n"
                            "UUID=1 / ext4 errors=remount-ro 0 1\n"
                            "LABEL=home\t/home/\text4\tdefaults 0 2\n"
                            "/dev/sdb1 /mnt/my\\040disk ntfs rw 0 0 # the backup\n"
                            "/dev/sr0 /media/cdrom0 udf,iso9660 user,noauto 0 0\n"
                            "/dev/sda3 none swap sw 0 0\n"
                            "/swapfile swap swap defaults 0 0\n"
                            "tmpfs /tmp tmpfs\n"
                            "broken-line\n"),
        (std::set<std::string>{"/", "/home", "/mnt/my disk", "/tmp"}));
}

TEST_F(LinuxDriveProbeTest, labelFromByLabelLinkThenUdevRecordThenMountPointName)
{
    struct Case {
        std::string_view root;
        std::string_view label;
        std::string_view fileSystem;
        std::string_view uuid; // by-uuid link, else the udev record, else none
        std::uint64_t identity;
    };
    const Case cases[] = {
        {"/media/u/CARD/", "My Card", "vfat", "1A2B-3C4D", makedev(8, 17)}, // by-label, \x20 decoded, sdb10 ignored
        {"/mnt/loop card/", "Cam\xc3\xa9ra", "ext2", "", makedev(7, 0)}, // by-label, non-ASCII bytes decoded
        {"/run/media/u/stick/", "USB STICK", "exfat", "3A5F", makedev(8, 33)}, // udev's ID_FS_LABEL_ENC
        {"/media/u/\320\244\320\276\321\202\320\276 SD/", "\320\244\320\276\321\202\320\276 SD", "vfat", "",
            makedev(179, 1)},
        {"/", "", "ext4", "", makedev(8, 1)},
        {"/run/", "run", "tmpfs", "", 0},
    };
    LinuxDriveProbe probe(tree.paths());
    for (const Case& c : cases) {
        VolumeInformation info;
        ASSERT_TRUE(probe.volumeInformation(std::string(c.root), info)) << c.root;
        EXPECT_EQ(info.label, c.label) << c.root;
        EXPECT_EQ(info.fileSystemName, c.fileSystem) << c.root;
        EXPECT_EQ(info.fileSystemId, c.uuid) << c.root;
        EXPECT_EQ(info.identity, c.identity) << c.root;
    }
}

TEST_F(LinuxDriveProbeTest, volumeInformationOfAnUnknownRootFailsAndLeavesTheOutput)
{
    LinuxDriveProbe probe(tree.paths());
    VolumeInformation info{"kept", "kept-fs", 7, 8, 9, 10, "kept-id"};
    EXPECT_FALSE(probe.volumeInformation("/home/u/dcim/", info));
    EXPECT_FALSE(probe.volumeInformation("/media/u/CARD", info));
    EXPECT_EQ(info.label, "kept");
    EXPECT_EQ(info.fileSystemName, "kept-fs");
}

TEST_F(LinuxDriveProbeTest, pollWithoutChangeReadsNothingAndKeepsSysfsAnswers)
{
    LinuxDriveProbe probe(tree.paths());
    tree.setRemovable(kSataDisk, true); // sysfs changes, the mount table does not
    for (int tick = 0; tick < 3; ++tick)
        EXPECT_EQ(GetDrivesOfType(probe, DriveType::Removable).size(), 4u);
    EXPECT_EQ(probe.tableReads(), 1u);
    EXPECT_EQ(probe.driveType("/"), DriveType::Fixed);
}

TEST_F(LinuxDriveProbeTest, answersStandUntilTheMountTableChanges)
{
    LinuxDriveProbe probe(tree.paths());
    (void)probe.candidateRoots();
    EXPECT_FALSE(probe.answersMayHaveChanged());
    tree.setRemovable(kSataDisk, true); // not read again without a new table
    EXPECT_FALSE(probe.answersMayHaveChanged());

    std::vector<std::string> unplugged = kTable;
    unplugged.erase(unplugged.begin() + 4, unplugged.begin() + 6);
    tree.writeMountInfo(unplugged);
    EXPECT_TRUE(probe.answersMayHaveChanged());
    EXPECT_TRUE(probe.answersMayHaveChanged()); // until the new answers are asked for
    (void)probe.candidateRoots();
    EXPECT_FALSE(probe.answersMayHaveChanged());
    EXPECT_EQ(probe.tableReads(), 2u);
}

TEST_F(LinuxDriveProbeTest, changedTableIsReadOnceAndDeviceAnswersAreFreshAfterRemount)
{
    LinuxDriveProbe probe(tree.paths());
    std::vector<std::string> unplugged = kTable;
    unplugged.erase(unplugged.begin() + 4, unplugged.begin() + 6); // the card and its bind
    tree.writeMountInfo(unplugged);
    EXPECT_EQ(GetDrivesOfType(probe, DriveType::Removable).size(), 3u);
    EXPECT_EQ(GetDrivesOfType(probe, DriveType::Removable).size(), 3u);
    EXPECT_EQ(probe.tableReads(), 2u);

    // Another card reader takes the freed number and has no flag: it must not inherit the old answer.
    tree.setRemovable(kCardReader, false);
    tree.writeMountInfo(kTable);
    EXPECT_EQ(probe.candidateRoots().size(), 15u);
    EXPECT_EQ(probe.driveType("/media/u/CARD/"), DriveType::Fixed);
    EXPECT_EQ(probe.tableReads(), 3u);
}

// Asked right before a write: the answer comes from the mount table as it is now, not from
// the last poll, and it holds only for the whole file system of a removable device whose number
// is that of the folder the writer opened.
TEST_F(LinuxDriveProbeTest, removableRootIsConfirmedFromTheTableAsItIsNow)
{
    LinuxDriveProbe probe(tree.paths());
    (void)probe.candidateRoots();
    const struct {
        std::string_view root;
        std::uint32_t major;
        std::uint32_t minor;
        bool confirmed;
    } mounted[] = {
        {"/media/u/CARD/", 8, 17, true},
        {"/run/media/u/stick/", 8, 33, true},
        {"/media/u/CARD/", 8, 33, false}, // another device: not the folder that was opened
        {"/media/u/CARD", 8, 17, false}, // roots are written with their separator
        {"/", 8, 1, false}, // the computer's own disk
        {"/home/u/dcim/", 8, 17, false}, // one folder of the card, not its root
        {"/mnt/stack/", 8, 34, false}, // a tmpfs lies on top of the stick
        {"/media/u/DVD/", 11, 0, false},
        {"/mnt/nas/", 0, 50, false},
        {"/media/u/GONE/", 8, 17, false},
    };
    for (const auto& c : mounted) {
        SCOPED_TRACE(std::string(c.root));
        EXPECT_EQ(probe.isRemovableRootNow(std::string(c.root), makedev(c.major, c.minor)), c.confirmed);
    }

    // Unmounted after the poll: the answer changes at once, and the next poll still sees the change.
    std::vector<std::string> unplugged = kTable;
    unplugged.erase(unplugged.begin() + 4, unplugged.begin() + 6);
    tree.writeMountInfo(unplugged);
    EXPECT_FALSE(probe.isRemovableRootNow("/media/u/CARD/", makedev(8, 17)));
    EXPECT_TRUE(probe.answersMayHaveChanged());
    EXPECT_EQ(GetDrivesOfType(probe, DriveType::Removable).size(), 3u);
}

TEST(LinuxDriveProbeOnThisSystem, realMountTableListsRootAndIsNotReadAgainWithoutChange)
{
    if (!std::filesystem::exists("/proc/self/mountinfo"))
        GTEST_SKIP() << "no /proc here";
    LinuxDriveProbe probe;
    const Roots& roots = probe.candidateRoots();
    EXPECT_NE(std::find(roots.begin(), roots.end(), "/"), roots.end());
    for (int tick = 0; tick < 100; ++tick)
        (void)GetDrivesOfType(probe, DriveType::Removable);
    EXPECT_EQ(probe.tableReads(), 1u);
}

// Once the event loop watches the change mark, a poll reads the table again only when the loop
// reported a change, and only once per report; a table off procfs has no mark to hand over.
TEST(LinuxDriveProbeOnThisSystem, aWatchedChangeMarkIsTheOnlyReasonToReadAgain)
{
    if (!std::filesystem::exists("/proc/self/mountinfo"))
        GTEST_SKIP() << "no /proc here";
    LinuxDriveProbe probe;
    ASSERT_GE(probe.takeChangeHandle(), 0);
    (void)probe.candidateRoots();
    EXPECT_FALSE(probe.answersMayHaveChanged());
    probe.changeSignalled();
    EXPECT_TRUE(probe.answersMayHaveChanged());
    (void)probe.candidateRoots();
    EXPECT_FALSE(probe.answersMayHaveChanged());
    EXPECT_EQ(probe.tableReads(), 2u);

    test::FakeSystemTree tree;
    tree.writeMountInfo({});
    LinuxDriveProbe fake(tree.paths());
    EXPECT_EQ(fake.takeChangeHandle(), -1);
}

} // namespace
} // namespace zv
