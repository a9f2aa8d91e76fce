#include "drives/CardScan.h"

#include "common/TempFolder.h"

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <gtest/gtest.h>

#ifndef _WIN32
#include <sys/stat.h>
#endif

namespace zv {
namespace {

namespace fs = std::filesystem;

constexpr std::string_view kTimeFile = "TAG.txt";

class CardScanTest : public ::testing::Test {
protected:
    // A file at `relative` below the card's root, modified at `seconds` since the epoch.
    void putFile(const fs::path& relative, std::int64_t seconds = 1'600'000'000) const
    {
        const fs::path path = root() / relative;
        fs::create_directories(path.parent_path());
        std::FILE* file = std::fopen(path.string().c_str(), "wb");
        ASSERT_NE(file, nullptr) << path;
        std::fclose(file);
        const std::chrono::sys_seconds time{std::chrono::seconds{seconds}};
        fs::last_write_time(path, std::chrono::file_clock::from_sys(time));
    }

    // `count` regular files in `folder`, made as hard links, which takes a fraction of the time
    // new files take; a file keeps below the 1024 names NTFS allows it.
    void putFiles(const fs::path& folder, std::size_t count) const
    {
        constexpr std::size_t kNamesPerFile = 1000;
        fs::create_directories(root() / folder);
        fs::path first;
        const fs::path place = root() / folder;
        for (std::size_t i = 0; i < count; ++i) {
            const fs::path name = std::to_string(i);
            if (i % kNamesPerFile == 0) {
                putFile(folder / name);
                first = place / name;
            } else {
                fs::create_hard_link(first, place / name);
            }
        }
    }

    [[nodiscard]] fs::path root() const { return fs::path(card.path()) / "card"; }
    [[nodiscard]] std::string rootText() const { return root().string() + test::TempFolder::kSeparator; }
    [[nodiscard]] CardContents scan(const std::stop_token& stop = {}) const
    {
        return scanCard(rootText(), std::string(kTimeFile), stop);
    }

    test::TempFolder card;
};

TEST_F(CardScanTest, countsTheFilesThreeFoldersDownAndFindsTheNewest)
{
    putFile("ROOT.AVI", 1'000);
    putFile("DCIM/100MEDIA/VID0001.AVI", 5'000);
    putFile("DCIM/TAG.txt", 2'000); // our name counts below the root
    putFile("A/B/C/deepest.txt", 3'000);
    putFile("A/B/C/D/too-deep.txt", 9'000);
    putFile("tag.TXT", 9'500); // our own time file, in any case
    fs::create_directories(root() / "EMPTY");

    EXPECT_EQ(scan(), (CardContents{5'000, 4, true}));
}

TEST_F(CardScanTest, anEmptyCardIsCompleteAndAMissingOneIsNot)
{
    fs::create_directories(root());
    EXPECT_EQ(scan(), (CardContents{std::nullopt, 0, true}));
    fs::remove(root());
    EXPECT_EQ(scan(), (CardContents{std::nullopt, 0, false}));
}

TEST_F(CardScanTest, everyEntryCountsTowardsTheLimit)
{
    constexpr std::int64_t kTime = 1'600'000'000; // putFile's
    putFiles(".", kMostCardEntries - 1);
    fs::create_directories(root() / "DCIM");
    EXPECT_EQ(scan(), (CardContents{kTime, kMostCardEntries - 1, true})) << "the folder is the last entry";
    putFile("DCIM/VID0001.AVI");
    EXPECT_EQ(scan(), (CardContents{kTime, kMostCardEntries - 1, false})) << "one entry too many";
    fs::remove_all(root() / "DCIM");
    putFile("LAST.AVI");
    EXPECT_EQ(scan(), (CardContents{kTime, kMostCardEntries, true}));
    putFile("LAST2.AVI");
    EXPECT_EQ(scan(), (CardContents{kTime, kMostCardEntries, false}));
}

TEST_F(CardScanTest, aHugeFolderEndsTheScanAtTheLimitQuickly)
{
#ifdef _WIN32
    // Under Wine every new name is looked for case-blind through the whole folder.
    constexpr std::size_t kFiles = kMostCardEntries + 1'000;
#else
    constexpr std::size_t kFiles = 100'000;
#endif
    putFiles("DCIM", kFiles);
    const auto start = std::chrono::steady_clock::now();
    const CardContents found = scan();
    const auto took = std::chrono::steady_clock::now() - start;
    EXPECT_FALSE(found.complete);
    EXPECT_EQ(found.fileCount, kMostCardEntries - 1);
    EXPECT_LT(took, std::chrono::milliseconds(500));
}

TEST_F(CardScanTest, aStopEndsTheScanWithWhatWasFound)
{
    putFile("ROOT.AVI", 1'000);
    putFile("DCIM/VID0001.AVI", 2'000);

    std::stop_source stopped;
    stopped.request_stop();
    EXPECT_EQ(scan(stopped.get_token()), (CardContents{std::nullopt, 0, false}));

    std::stop_source stop;
    CardScanner scanner(rootText(), std::string(kTimeFile));
    ASSERT_TRUE(scanner.readNextFolder(stop.get_token())); // the root
    stop.request_stop();
    EXPECT_FALSE(scanner.readNextFolder(stop.get_token()));
    EXPECT_EQ(scanner.contents(), (CardContents{1'000, 1, false}));
}

TEST_F(CardScanTest, aFolderTakenAwayDuringTheScanCostsOnlyItself)
{
    putFile("ROOT.AVI", 1'000);
    putFile("DCIM/VID0001.AVI", 2'000);
    putFile("MISC/NOTE.TXT", 3'000);

    CardScanner scanner(rootText(), std::string(kTimeFile));
    ASSERT_TRUE(scanner.readNextFolder()); // the root; both folders wait
    fs::remove_all(root() / "DCIM");
    while (scanner.readNextFolder()) {
    }
    EXPECT_EQ(scanner.contents(), (CardContents{3'000, 2, false}));
}

TEST_F(CardScanTest, aCardPulledDuringTheScanEndsItAtOnce)
{
    putFile("ROOT.AVI", 1'000);
    putFile("DCIM/VID0001.AVI", 2'000);
    putFile("MISC/NOTE.TXT", 3'000);

    CardScanner scanner(rootText(), std::string(kTimeFile));
    ASSERT_TRUE(scanner.readNextFolder());
    fs::remove_all(root());
    EXPECT_FALSE(scanner.readNextFolder()); // one folder fails, and the other is not tried
    EXPECT_EQ(scanner.contents(), (CardContents{1'000, 1, false}));
}

#ifndef _WIN32
TEST_F(CardScanTest, linksAreNotFollowedAndPipesNotOpened)
{
    putFile("DCIM/VID0001.AVI", 2'000);
    const fs::path outside = fs::path(card.path()) / "outside";
    fs::create_directories(outside);
    std::fclose(std::fopen((outside / "far.avi").string().c_str(), "wb")); // modified now
    fs::create_directory_symlink(outside, root() / "LINKED");
    fs::create_symlink(outside / "far.avi", root() / "far.avi");
    fs::create_symlink(root() / "LOOP", root() / "LOOP");
    ASSERT_EQ(::mkfifo((root() / "DCIM" / "PIPE").c_str(), 0600), 0);

    EXPECT_EQ(scan(), (CardContents{2'000, 1, true}));
}
#endif

} // namespace
} // namespace zv
