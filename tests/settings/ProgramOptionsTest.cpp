#include "ProgramOptionsTest.h"

#include <filesystem>

namespace zv {
namespace {

using test::readBytes;
using test::TempFolder;
using test::writeBytes;

TEST(ProgramOptionsText, readsTheLeadOnlyFromAPlainNumberInRange)
{
    const struct {
        std::string_view file;
        int lead;
    } cases[] = {
        {"LeadSeconds=30\r\n", 30},
        {"LeadSeconds=45", 45}, // no line end at the end of the file
        {"LeadSeconds=600\n", 600},
        {"LeadSeconds=0\n", 0},
        {"LeadSeconds=007\n", 7},
        {"  LeadSeconds \t= 12  \r\n", 12},
        {"LeadSeconds=601\n", 0},
        {"LeadSeconds=-5\n", 0},
        {"LeadSeconds=+5\n", 0},
        {"LeadSeconds=1.5\n", 0},
        {"LeadSeconds=30s\n", 0},
        {"LeadSeconds=3 0\n", 0},
        {"LeadSeconds=0x10\n", 0},
        {"LeadSeconds=\n", 0},
        {"LeadSeconds=99999999999999999999\n", 0},
        {"leadseconds=30\n", 0}, // keys are matched exactly
        {"LeadSeconds 30\n", 0},
        {"LeadSeconds=10\nLeadSeconds=20\n", 20},
        {"LeadSeconds=10\nLeadSeconds=oops\n", 10}, // the last valid value counts
        {"\xEF\xBB\xBFLeadSeconds=30\n", 0}, // a byte-order mark makes another key
        {std::string_view("Lead\0Seconds=30\n", 16), 0},
        {"", 0},
    };
    for (const auto& c : cases)
        EXPECT_EQ(parseProgramOptions(c.file).options.leadSeconds, c.lead) << c.file;
}

TEST(ProgramOptionsText, otherLinesSurviveAsTheyWereAfterTheOptions)
{
    const ProgramOptionsText text =
        parseProgramOptions("; written by hand\r\nFutureKey=a=b\nLeadSeconds=5\r\n\r\nlone\rcarriage\nLast=1");
    EXPECT_EQ(text.options.leadSeconds, 5);
    EXPECT_EQ(text.otherLines,
        (std::vector<std::string>{"; written by hand", "FutureKey=a=b", "", "lone\rcarriage", "Last=1"}));
    EXPECT_EQ(programOptionsFileText(text),
        "LeadSeconds=5\r\n; written by hand\r\nFutureKey=a=b\r\n\r\nlone\rcarriage\r\nLast=1\r\n");
    EXPECT_EQ(parseProgramOptions(programOptionsFileText(text)), text);
}

TEST(ProgramOptionsText, aLeadOutOfRangeIsWrittenAtItsLimit)
{
    EXPECT_EQ(programOptionsFileText({{kMostLeadSeconds + 1}, {}}), "LeadSeconds=600\r\n");
    EXPECT_EQ(programOptionsFileText({{-3}, {}}), "LeadSeconds=0\r\n");
}

TEST_F(ProgramOptionsFileTest, aMissingFileGivesTheDefaultsAndASaveWritesIt)
{
    EXPECT_EQ(loadProgramOptions(path), ProgramOptions{});
    ASSERT_FALSE(saveProgramOptions(path, {90}).failed());
    EXPECT_EQ(readBytes(path), "LeadSeconds=90\r\n");
    EXPECT_EQ(loadProgramOptions(path).leadSeconds, 90);
}

TEST_F(ProgramOptionsFileTest, aSaveKeepsTheLinesOfANewerVersion)
{
    writeBytes(path, "LeadSeconds=10\nNewerOption=yes\n[Section]\n");
    ASSERT_FALSE(saveProgramOptions(path, {20}).failed());
    EXPECT_EQ(readBytes(path), "LeadSeconds=20\r\nNewerOption=yes\r\n[Section]\r\n");
}

TEST_F(ProgramOptionsFileTest, whatIsNoFileOfOursGivesTheDefaults)
{
    // Past the size cap, even with a valid value up front.
    writeBytes(path, "LeadSeconds=30\n" + std::string(16 * 1024, 'x'));
    EXPECT_EQ(loadProgramOptions(path), ProgramOptions{});

    std::filesystem::remove(path);
    std::filesystem::create_directory(path);
    EXPECT_EQ(loadProgramOptions(path), ProgramOptions{});
    EXPECT_TRUE(saveProgramOptions(path, {5}).failed()); // a folder is never replaced
    EXPECT_TRUE(std::filesystem::is_directory(path));
}

TEST_F(ProgramOptionsFileTest, aFileJustUnderTheCapIsRead)
{
    writeBytes(path, "LeadSeconds=30\n" + std::string(16 * 1024 - 16, 'x'));
    EXPECT_EQ(loadProgramOptions(path).leadSeconds, 30);
}

TEST_F(ProgramOptionsFileTest, aSaveCreatesTheMissingFolderAndReportsAFailure)
{
    const std::string nested = folder.file("config") + TempFolder::kSeparator + std::string(kProgramOptionsFileName);
    ASSERT_FALSE(saveProgramOptions(nested, {15}).failed());
    EXPECT_EQ(loadProgramOptions(nested).leadSeconds, 15);

    writeBytes(folder.file("plain"), "a file, not a folder");
    const std::string underAFile = folder.file("plain") + TempFolder::kSeparator + std::string(kProgramOptionsFileName);
    EXPECT_TRUE(saveProgramOptions(underAFile, {15}).failed());
}

} // namespace
} // namespace zv
