#include "CardScanTest.h"

#include <chrono>
#include <filesystem>

namespace zv {
namespace {

namespace fs = std::filesystem;

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
    putFiles("DCIM", kHugeFolderFiles);
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

} // namespace
} // namespace zv
