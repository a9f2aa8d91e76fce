#include "drives/RemovableDriveList.h"

#include "fakes/FakeDriveProbe.h"

#include <gtest/gtest.h>

#include <functional>

namespace zv {
namespace {

using test::FakeDriveProbe;

class RemovableDriveListTest : public ::testing::Test {
protected:
    std::vector<std::string> displayTexts() const
    {
        std::vector<std::string> texts;
        for (const DriveEntry& entry : list.entries())
            texts.push_back(entry.displayText);
        return texts;
    }

    // Everything the window mirrors, checked at once.
    void expectShows(const std::vector<std::string>& texts, int row, const std::string& dir, bool setEnabled) const
    {
        EXPECT_EQ(displayTexts(), texts);
        EXPECT_EQ(list.selectedRow(), row);
        EXPECT_EQ(saveDir, dir);
        EXPECT_EQ(list.setButtonEnabled(), setEnabled);
    }

    void plugEfg()
    {
        probe.plug("E:\\", "CAM");
        probe.plug("F:\\", "SYSTEM", DriveType::Fixed);
        probe.plug("G:\\", "SD");
    }

    FakeDriveProbe probe;
    std::string saveDir;
    RemovableDriveList list{probe, saveDir};
};

// What a row shows: its root, label and display text.
struct ShownRow {
    std::string rootPath;
    std::string label;
    std::string displayText;

    friend bool operator==(const ShownRow&, const ShownRow&) = default;
};

std::vector<ShownRow> shownRows(const std::vector<DriveEntry>& entries)
{
    std::vector<ShownRow> rows;
    for (const DriveEntry& entry : entries)
        rows.push_back({entry.rootPath, entry.label, entry.displayText});
    return rows;
}

struct BuildCase {
    const char* name;
    std::function<void(FakeDriveProbe&)> plug;
    std::vector<ShownRow> rows;
};

TEST_F(RemovableDriveListTest, everyBuildListsRemovableRootsInOrderWithRowZeroChosen)
{
    const BuildCase cases[] = {
        {"E and G removable, F fixed",
            [](FakeDriveProbe& p) {
                p.plug("G:\\", "SD");
                p.plug("F:\\", "SYSTEM", DriveType::Fixed);
                p.plug("E:\\", "CAM");
            },
            {{"E:\\", "CAM", "E:\\CAM"}, {"G:\\", "SD", "G:\\SD"}}},
        {"card reader slot without a card",
            [](FakeDriveProbe& p) {
                p.plugWithoutMedium("D:\\");
                p.plug("E:\\", "");
            },
            {{"D:\\", "", "D:\\"}, {"E:\\", "", "E:\\"}}},
        {"network, optical and RAM drives are left out",
            [](FakeDriveProbe& p) {
                p.plug("C:\\", "NET", DriveType::Remote);
                p.plug("D:\\", "DVD", DriveType::CdRom);
                p.plug("R:\\", "RAM", DriveType::RamDisk);
                p.plug("X:\\", "CAM");
            },
            {{"X:\\", "CAM", "X:\\CAM"}}},
        {"mount points",
            [](FakeDriveProbe& p) {
                p.plug("/mnt/sd/", "CAM");
                p.plug("/media/user/CAM/", "CAM");
            },
            {{"/media/user/CAM/", "CAM", "/media/user/CAM/"}, {"/mnt/sd/", "CAM", "/mnt/sd/ [CAM]"}}},
    };
    const std::pair<const char*, std::function<void(RemovableDriveList&)>> builds[] = {
        {"creation", [](RemovableDriveList& l) { l.buildAtCreation(); }},
        {"refresh", [](RemovableDriveList& l) { l.UpdateFDD(); }},
        {"first poll", [](RemovableDriveList& l) { (void)l.poll(); }},
    };
    for (const BuildCase& c : cases) {
        for (const auto& [how, build] : builds) {
            SCOPED_TRACE(std::string(c.name) + " / " + how);
            FakeDriveProbe fresh;
            std::string dir = "stale";
            RemovableDriveList built{fresh, dir};
            c.plug(fresh);
            build(built);
            EXPECT_EQ(shownRows(built.entries()), c.rows);
            EXPECT_EQ(built.selectedRow(), 0);
            EXPECT_EQ(dir, c.rows.front().rootPath);
            EXPECT_TRUE(built.setButtonEnabled());
        }
    }
}

TEST_F(RemovableDriveListTest, creationBuildLeavesCountAndButtonToTheFirstPoll)
{
    list.buildAtCreation();
    expectShows({}, -1, "", true);
    EXPECT_EQ(list.lastCountText(), "Edit1");

    EXPECT_TRUE(list.poll());
    expectShows({}, -1, "", false);
    EXPECT_EQ(list.lastCountText(), "0");

    // The lists stay empty and the button off on every tick, with nothing new to show.
    EXPECT_FALSE(list.poll());
    expectShows({}, -1, "", false);
}

TEST_F(RemovableDriveListTest, firstPollRebuildsWhatCreationBuilt)
{
    plugEfg();
    list.buildAtCreation();
    EXPECT_EQ(probe.volumeInformationCalls, 2);

    EXPECT_TRUE(list.poll());
    EXPECT_EQ(probe.volumeInformationCalls, 4);
    EXPECT_EQ(list.lastCountText(), "2");
    expectShows({"E:\\CAM", "G:\\SD"}, 0, "E:\\", true);
}

TEST_F(RemovableDriveListTest, pollWithoutChangeAsksOnlyDriveTypes)
{
    plugEfg();
    ASSERT_TRUE(list.poll());
    const int volumeCalls = probe.volumeInformationCalls;
    const int typeCalls = probe.driveTypeCalls;

    for (int tick = 0; tick < 3; ++tick)
        EXPECT_FALSE(list.poll());

    EXPECT_EQ(probe.volumeInformationCalls, volumeCalls);
    EXPECT_EQ(probe.driveTypeCalls, typeCalls + 3 * 3); // every candidate, every tick
}

TEST_F(RemovableDriveListTest, pollAsksNothingWhileTheProbeSaysNothingChanged)
{
    probe.tellsChanges = true;
    plugEfg();
    ASSERT_TRUE(list.poll());
    const int typeCalls = probe.driveTypeCalls;
    EXPECT_FALSE(list.poll());
    EXPECT_EQ(probe.driveTypeCalls, typeCalls);

    probe.unplug("G:\\");
    EXPECT_TRUE(list.poll());
    expectShows({"E:\\CAM"}, 0, "E:\\", true);
}

// A drive plugged or pulled elsewhere must never move the choice: set would write to it.
TEST_F(RemovableDriveListTest, theChosenDriveStaysChosenUntilItIsGone)
{
    const struct {
        const char* what;
        std::function<void(FakeDriveProbe&)> change;
        bool refresh; // by the refresh button instead of the poll
        std::vector<std::string> rows;
        int row;
        std::string dir;
    } cases[] = {
        {"nothing changes", [](FakeDriveProbe&) {}, false, {"E:\\CAM", "G:\\SD"}, 1, "G:\\"},
        {"another drive plugged before it", [](FakeDriveProbe& p) { p.plug("D:\\", "STICK"); }, false,
            {"D:\\STICK", "E:\\CAM", "G:\\SD"}, 2, "G:\\"},
        {"another drive pulled", [](FakeDriveProbe& p) { p.unplug("E:\\"); }, false, {"G:\\SD"}, 0, "G:\\"},
        {"the refresh button", [](FakeDriveProbe&) {}, true, {"E:\\CAM", "G:\\SD"}, 1, "G:\\"},
        {"it is pulled", [](FakeDriveProbe& p) { p.unplug("G:\\"); }, false, {"E:\\CAM"}, 0, "E:\\"},
        {"another card comes at its root",
            [](FakeDriveProbe& p) {
                p.plug("G:\\", "SD", DriveType::Removable, 2);
                p.plug("H:\\", "MD80");
            },
            false, {"E:\\CAM", "G:\\SD", "H:\\MD80"}, 0, "E:\\"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        FakeDriveProbe fresh;
        std::string dir;
        RemovableDriveList drives{fresh, dir};
        fresh.plug("E:\\", "CAM", DriveType::Removable, 1);
        fresh.plug("G:\\", "SD", DriveType::Removable, 1);
        (void)drives.poll();
        drives.choose(1);

        c.change(fresh);
        if (c.refresh)
            drives.UpdateFDD();
        else
            (void)drives.poll();
        std::vector<std::string> texts;
        for (const DriveEntry& entry : drives.entries())
            texts.push_back(entry.displayText);
        EXPECT_EQ(texts, c.rows);
        EXPECT_EQ(drives.selectedRow(), c.row);
        EXPECT_EQ(dir, c.dir);
        EXPECT_TRUE(drives.setButtonEnabled());
    }
}

// A disk that says it is a hard disk is offered but never chosen for the user.
TEST_F(RemovableDriveListTest, aHardDiskIsNeverChosenWithoutTheUser)
{
    probe.plugHardDisk("D:\\", "BACKUP");
    EXPECT_TRUE(list.poll());
    expectShows({"D:\\BACKUP"}, -1, "", false);

    probe.plug("E:\\", "CAM");
    EXPECT_TRUE(list.poll());
    expectShows({"D:\\BACKUP", "E:\\CAM"}, 1, "E:\\", true);

    list.choose(0);
    expectShows({"D:\\BACKUP", "E:\\CAM"}, 0, "D:\\", true);
    probe.unplug("E:\\");
    EXPECT_TRUE(list.poll());
    expectShows({"D:\\BACKUP"}, 0, "D:\\", true);
}

TEST_F(RemovableDriveListTest, unpluggingTheLastDriveEmptiesListsButKeepsSaveDir)
{
    probe.plug("E:\\", "CAM");
    (void)list.poll();

    probe.unplug("E:\\");
    EXPECT_TRUE(list.poll());
    expectShows({}, -1, "E:\\", false);

    list.UpdateFDD();
    expectShows({}, -1, "E:\\", false);

    probe.plug("G:\\", "SD");
    EXPECT_TRUE(list.poll());
    expectShows({"G:\\SD"}, 0, "G:\\", true);
}

TEST_F(RemovableDriveListTest, swapWithSameCountWaitsForRefresh)
{
    probe.plug("E:\\", "CAM1");
    (void)list.poll();

    probe.unplug("E:\\");
    probe.plug("G:\\", "CAM2");
    EXPECT_FALSE(list.poll());
    expectShows({"E:\\CAM1"}, 0, "E:\\", true);

    list.UpdateFDD();
    expectShows({"G:\\CAM2"}, 0, "G:\\", true);
    EXPECT_FALSE(list.poll());
}

TEST_F(RemovableDriveListTest, choosingARowThatDoesNotExistChangesNothing)
{
    plugEfg();
    (void)list.poll();
    list.choose(1);

    for (const int row : {-1, 2, 26})
        list.choose(row);
    expectShows({"E:\\CAM", "G:\\SD"}, 1, "G:\\", true);
}

TEST(DriveDisplayText, showsLetterRootsWithLabelAndMountPointsWithoutRepeatingIt)
{
    const struct {
        std::string_view root, label, text;
    } cases[] = {
        {"E:\\", "CAM", "E:\\CAM"},
        {"E:\\", "", "E:\\"},
        {"E:\\", "My Cam", "E:\\My Cam"},
        {"/media/user/CAM/", "CAM", "/media/user/CAM/"},
        {"/mnt/sd/", "CAM", "/mnt/sd/ [CAM]"},
        {"/mnt/sd/", "", "/mnt/sd/"},
        {"/media/user/cam/", "CAM", "/media/user/cam/ [CAM]"}, // labels are case-sensitive
        {"/media/user/CAM_/", "CAM", "/media/user/CAM_/ [CAM]"},
        {"/media/user/My Card/", "My Card", "/media/user/My Card/"},
        {"/media/user/\xCA\xC0\xCC/", "\xCA\xC0\xCC", "/media/user/\xCA\xC0\xCC/"},
        {"/", "ROOT", "/ [ROOT]"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(driveDisplayText(c.root, c.label), c.text) << c.root << " + " << c.label;
}

} // namespace
} // namespace zv
