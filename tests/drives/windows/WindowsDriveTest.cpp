// The real Windows probe and writer against a removable drive. Under Wine, ./build.sh windows-check
// maps a folder as that drive (type floppy, so GetDriveTypeW says removable) with the volume label
// "КАМЕРА", and runs this program under a Russian locale (ANSI code page 1251); the drive list
// also runs under an English one (1252, which has no Cyrillic).
#include "common/TempFolder.h"
#include "drives/DriveQueries.h"
#include "drives/RemovableDriveList.h"
#include "drives/TimeFileWriter.h"
#include "fakes/FakeDriveProbe.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <iostream>
#include <set>
#include <windows.h>

namespace zv {
namespace {

constexpr std::string_view kLabel = "КАМЕРА"; // names from the system are UTF-8 in any code page

bool contains(const std::vector<std::string>& roots, const std::string& root)
{
    return std::find(roots.begin(), roots.end(), root) != roots.end();
}

class WindowsRemovableDriveTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        const char* root = std::getenv("ZV_TEST_REMOVABLE_ROOT");
        if (root == nullptr || *root == '\0')
            GTEST_SKIP() << "needs the removable drive that ./build.sh windows-check maps (ZV_TEST_REMOVABLE_ROOT)";
        root_ = root;
    }

    // Every test leaves the card as it found it: nothing but the label file.
    void TearDown() override
    {
        if (root_.empty())
            return;
        std::error_code error;
        for (const auto& entry : std::filesystem::directory_iterator(std::filesystem::path(root_), error)) {
            if (entry.path().filename() != ".windows-label")
                std::filesystem::remove(entry.path(), error);
        }
    }

    std::set<std::wstring> namesOnTheCard() const
    {
        std::set<std::wstring> names;
        for (const auto& entry : std::filesystem::directory_iterator(std::filesystem::path(root_))) {
            if (entry.path().filename() != ".windows-label")
                names.insert(entry.path().filename().wstring());
        }
        return names;
    }

    std::string root_;
    std::unique_ptr<DriveProbe> probe_ = makeSystemDriveProbe();
};

TEST_F(WindowsRemovableDriveTest, probeListsTheRemovableLetterAndNotTheFixedOnes)
{
    const std::vector<std::string> removable = GetDrivesOfType(*probe_, DriveType::Removable);
    EXPECT_TRUE(contains(removable, root_)) << "root " << root_;
    EXPECT_FALSE(contains(removable, "C:\\"));
    EXPECT_EQ(CountDrivesOfType(*probe_, DriveType::Removable), removable.size());
    EXPECT_EQ(probe_->driveType(root_), DriveType::Removable);
    EXPECT_EQ(probe_->driveType("C:\\"), DriveType::Fixed);
    EXPECT_TRUE(contains(GetDrivesOfType(*probe_, DriveType::Fixed), "C:\\"));
}

TEST_F(WindowsRemovableDriveTest, driveListShowsTheLetterAndTheVolumeLabelInAnyCodePage)
{
    VolumeInformation volume;
    ASSERT_TRUE(GetVolumeInfo(*probe_, root_, volume));
    EXPECT_EQ(volume.label, kLabel);

    std::string saveDir;
    RemovableDriveList list(*probe_, saveDir);
    list.UpdateFDD();
    const auto& entries = list.entries();
    const auto card = std::find_if(
        entries.begin(), entries.end(), [this](const DriveEntry& entry) { return entry.rootPath == root_; });
    ASSERT_NE(card, entries.end());
    EXPECT_EQ(card->label, kLabel);
    EXPECT_EQ(card->displayText, root_ + std::string(kLabel));
    EXPECT_EQ(saveDir, entries.front().rootPath);
}

// The writer opens, writes, calls FlushFileBuffers and closes; success means all four passed.
TEST_F(WindowsRemovableDriveTest, timeFileLandsOnTheCardWithTheExactBytes)
{
    const TimeFileResult result = writeTimeFile(root_, "TIMERSET", "2012-10-02 14:24:32", *probe_);
    ASSERT_TRUE(result.success) << result.text;
    EXPECT_EQ(test::readBytes(root_ + "TIMERSET.txt"), "2012-10-02 14:24:32\r\n");
    EXPECT_EQ(namesOnTheCard(), std::set<std::wstring>{L"TIMERSET.txt"});

    ASSERT_TRUE(writeTimeFile(root_, "TIMERSET", "2012.10.02", *probe_).success);
    EXPECT_EQ(test::readBytes(root_ + "TIMERSET.txt"), "2012.10.02\r\n"); // truncated, not overlaid
}

TEST_F(WindowsRemovableDriveTest, ansiBaseNameComesOutAsTheSameNameOnTheCard)
{
    ASSERT_EQ(GetACP(), 1251u) << "the check runs under a Russian locale";
    const std::string baseName = "\xC2\xF0\xE5\xEC\xFF"; // "Время" in code page 1251
    ASSERT_TRUE(writeTimeFile(root_, baseName, "x", *probe_).success);
    EXPECT_EQ(namesOnTheCard(), std::set<std::wstring>{L"\u0412\u0440\u0435\u043C\u044F.txt"});
    EXPECT_EQ(test::readBytes(root_ + baseName + ".txt"), "x\r\n");
}

// At a card's root ("E:\" and a 255-character name) the whole path stays under MAX_PATH, so
// this is the name limit alone, as on a FAT card.
TEST_F(WindowsRemovableDriveTest, longestNameIsWrittenWholeAndOneMoreIsRefused)
{
    const std::string longest(255 - 4, 'a');
    ASSERT_TRUE(writeTimeFile(root_, longest, "x", *probe_).success);
    EXPECT_EQ(namesOnTheCard(), std::set<std::wstring>{std::wstring(255 - 4, L'a') + L".txt"});

    const TimeFileResult tooLong = writeTimeFile(root_, longest + "b", "x", *probe_);
    EXPECT_FALSE(tooLong.success);
    EXPECT_EQ(tooLong.code, 3);
    EXPECT_EQ(namesOnTheCard().size(), 1u);
}

// Asked right before a write, the probe looks at the letter afresh: the card is removable, the
// system disk is not, and a letter that is gone is nothing.
TEST_F(WindowsRemovableDriveTest, probeConfirmsOnlyARemovableRootAndTheWriterObeysIt)
{
    EXPECT_TRUE(probe_->isRemovableRootNow(root_, 0));
    EXPECT_FALSE(probe_->isRemovableRootNow("C:\\", 0));

    test::FakeDriveProbe pulled; // the card pulled between the poll and the press
    pulled.removableRootNow = false;
    const TimeFileResult result = writeTimeFile(root_, "TIMERSET", "2012-10-02 14:24:32", pulled);
    EXPECT_FALSE(result.success);
    EXPECT_EQ(result.code, 3);
    EXPECT_TRUE(namesOnTheCard().empty());
}

// What may sit at the time file's name on a card: an earlier file in other letter case is
// replaced, not joined by a second; a left-over temporary goes; a folder is refused; a link is
// replaced itself and what it points at stays as it was.
TEST_F(WindowsRemovableDriveTest, whatSitsAtTheTimeFilesNameIsReplacedNeverWrittenThrough)
{
    const test::TempFolder outside;
    test::writeBytes(outside.file("victim"), "precious");
    const struct {
        std::string_view what;
        std::function<bool()> make; // false: this system cannot make it
        bool written;
        std::set<std::wstring> names;
    } cases[] = {
        {"nothing", [] { return true; }, true, {L"TIMERSET.txt"}},
        {"an earlier file in capitals",
            [this] {
                test::writeBytes(root_ + "TIMERSET.TXT", "old\r\n");
                return true;
            },
            true, {}},
        {"the owner's file named as the writer's temporary once was: it stays",
            [this] {
                test::writeBytes(root_ + "TIMERSET.tmp", "2012");
                return true;
            },
            true, {L"TIMERSET.tmp", L"TIMERSET.txt"}},
        {"a left-over temporary of the program's own",
            [this] {
                test::writeBytes(root_ + ".zentrik-vesmar.tmp.42", "2012");
                return true;
            },
            true, {L"TIMERSET.txt"}},
        {"a folder",
            [this] { return CreateDirectoryW(std::filesystem::path(root_ + "TIMERSET.txt").c_str(), nullptr) != 0; },
            false, {L"TIMERSET.txt"}},
        {"a link to a file off the card",
            [&] {
                return CreateSymbolicLinkW(std::filesystem::path(root_ + "TIMERSET.txt").c_str(),
                           std::filesystem::path(outside.file("victim")).c_str(),
                           SYMBOLIC_LINK_FLAG_ALLOW_UNPRIVILEGED_CREATE) != 0;
            },
            true, {L"TIMERSET.txt"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        TearDown();
        if (!c.make()) {
            std::cout << "not checked here, as it cannot be made: " << c.what << '\n';
            continue;
        }
        const TimeFileResult result = writeTimeFile(root_, "TIMERSET", "2012-10-02 14:24:32", *probe_);
        EXPECT_EQ(result.success, c.written) << result.text;
        const std::set<std::wstring> names = namesOnTheCard();
        if (c.names.empty()) {
            EXPECT_EQ(names.size(), 1u); // one entry, whichever letter case the card kept
        } else {
            EXPECT_EQ(names, c.names);
        }
        if (c.written) {
            EXPECT_EQ(test::readBytes(root_ + "TIMERSET.txt"), "2012-10-02 14:24:32\r\n");
        }
        EXPECT_EQ(test::readBytes(outside.file("victim")), "precious");
    }
}

} // namespace
} // namespace zv
