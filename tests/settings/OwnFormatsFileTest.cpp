#include "OwnFormatsFileTest.h"

#include <chrono>
#include <filesystem>
#include <functional>

namespace zv {
namespace {

using namespace std::string_literals;
using test::readBytes;
using test::TempFolder;
using test::writeBytes;
using Failure = OwnFormatsSaveStatus::Failure;

const std::vector<OwnFormat> kFormats = {
    {"Keychain 8", "tag.txt", "[date]\n{year}/{month}/{day}\n{hour}:{minute}:{second}"},
    {"Дача \\ x=1", "время", "\x01\t{stamp}\r\n\xFF{{\n", LineBreak::Lf, false},
};

TEST_F(OwnFormatsFileTest, aMissingFileHoldsNoFormatsAndIsNoProblem)
{
    const OwnFormatsLoad load = loadOwnFormats(path);
    EXPECT_TRUE(load.formats.empty());
    EXPECT_TRUE(load.problems.empty());
    EXPECT_FALSE(load.error.failed());
    EXPECT_EQ(filesInFolder(), 0u); // nothing written by loading
}

TEST_F(OwnFormatsFileTest, savedFormatsLoadBackAndSaveAgainByteForByte)
{
    ASSERT_TRUE(saveOwnFormats(path, kFormats).ok());
    const std::string saved = readBytes(path);
    EXPECT_EQ(saved, ownFormatsText(kFormats));

    const OwnFormatsLoad load = loadOwnFormats(path);
    EXPECT_FALSE(load.error.failed());
    EXPECT_TRUE(load.problems.empty());
    EXPECT_EQ(load.formats, kFormats);
    ASSERT_TRUE(saveOwnFormats(path, load.formats).ok());
    EXPECT_EQ(readBytes(path), saved);
    EXPECT_EQ(filesInFolder(), 1u); // no temporary left behind

    ASSERT_TRUE(saveOwnFormats(path, {}).ok());
    EXPECT_TRUE(loadOwnFormats(path).formats.empty());
}

TEST_F(OwnFormatsFileTest, theLargestListThatSavesAlsoLoadsWhole)
{
    // Each line break of the text takes a line of the file of its own, and CR LF in the text
    // an escape more: the most file bytes a template can take.
    OwnFormat largest{"", std::string(64, 'f'), "", LineBreak::Lf, false};
    for (int i = 0; i < 512; ++i)
        largest.templateText += "\r\n";
    std::vector<OwnFormat> formats;
    for (int i = 0; i < 20; ++i) {
        largest.name = std::string(28, '\\') + std::to_string(1000 + i);
        formats.push_back(largest);
    }
    ASSERT_TRUE(saveOwnFormats(path, formats).ok());
    EXPECT_LE(std::filesystem::file_size(path), kMostOwnFormatsFileBytes);
    const OwnFormatsLoad load = loadOwnFormats(path);
    EXPECT_TRUE(load.problems.empty());
    EXPECT_EQ(load.formats, formats);
}

TEST_F(OwnFormatsFileTest, aDamagedFileLoadsWhatItHoldsWholeAndIsNeverChanged)
{
    const std::string good = ownFormatsText(kFormats);
    const std::string firstBlock = good.substr(0, good.find("[end]") + 5);
    const struct {
        std::string_view what;
        std::string bytes;
        std::size_t formats;
        std::size_t problems;
    } cases[] = {
        {"empty", "", 0, 0},
        {"only garbage", "\x89PNG\r\n\x1A\n\0\0\0\rIHDR=\xFF\xFE[format"s, 0, 0},
        {"cut mid-block", good.substr(0, good.size() - 20), 1, 1},
        {"CR-only line ends", "[format]\rname=A\rfile=a\rline={year}\r[end]\r", 1, 0},
        {"NUL bytes amid a block", firstBlock + "\r\n[format]\r\nname=B\0\0\r\nfile=b\r\n[end]\r\n"s, 1, 1},
        {"NUL bytes in place of lines", firstBlock + "\r\n"s + std::string(5000, '\0') + "\r\n", 1, 0},
        {"a byte-order mark", "\xEF\xBB\xBF" + good, 2, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        writeBytes(path, c.bytes);
        const OwnFormatsLoad load = loadOwnFormats(path);
        EXPECT_FALSE(load.error.failed());
        EXPECT_EQ(load.formats.size(), c.formats);
        EXPECT_EQ(load.problems.size(), c.problems);
        EXPECT_EQ(readBytes(path), c.bytes);
        EXPECT_EQ(filesInFolder(), 1u);
    }
}

TEST_F(OwnFormatsFileTest, aHugeFileIsReadOnlyUpToTheCap)
{
    std::string huge = ownFormatsText(kFormats);
    huge.resize(10 * 1024 * 1024, 'x');
    writeBytes(path, huge);
    const auto start = std::chrono::steady_clock::now();
    const OwnFormatsLoad load = loadOwnFormats(path);
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(2));
    EXPECT_FALSE(load.error.failed());
    EXPECT_EQ(load.formats, kFormats);
    ASSERT_EQ(load.problems.size(), 1u);
    EXPECT_EQ(load.problems[0].block, 0u);
}

TEST_F(OwnFormatsFileTest, aFolderInTheFilesPlaceIsAReadFailure)
{
    std::filesystem::create_directory(path);
    const OwnFormatsLoad load = loadOwnFormats(path);
    EXPECT_TRUE(load.error.failed());
    EXPECT_FALSE(load.error.message.empty());
    EXPECT_TRUE(load.formats.empty());
    EXPECT_EQ(saveOwnFormats(path, kFormats).failure, Failure::CannotCreate);
    EXPECT_TRUE(std::filesystem::is_directory(path));
}

TEST_F(OwnFormatsFileTest, aListThatWouldNotLoadBackWholeIsNotSaved)
{
    ASSERT_TRUE(saveOwnFormats(path, kFormats).ok());
    const std::string before = readBytes(path);

    std::vector<OwnFormat> duplicate = kFormats;
    duplicate.push_back(kFormats[0]);
    duplicate.back().name = "KEYCHAIN 8";
    std::vector<OwnFormat> tooMany;
    for (int i = 0; i < 21; ++i)
        tooMany.push_back({"F" + std::to_string(i), "f", "{year}"});
    std::vector<OwnFormat> badTemplate = kFormats;
    badTemplate[1].templateText = "{year";
    const struct {
        std::string_view what;
        const std::vector<OwnFormat>& formats;
        std::size_t invalid;
    } cases[] = {{"a name twice", duplicate, 2}, {"21 formats", tooMany, 20}, {"a bad template", badTemplate, 1}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const OwnFormatsSaveStatus status = saveOwnFormats(path, c.formats);
        EXPECT_EQ(status.failure, Failure::InvalidList);
        EXPECT_EQ(status.invalidFormat, c.invalid);
        EXPECT_EQ(readBytes(path), before);
    }
}

TEST_F(OwnFormatsFileTest, aReadOnlyFileIsNotSavedOverAndStillLoads)
{
    ASSERT_TRUE(saveOwnFormats(path, kFormats).ok());
    const std::string before = readBytes(path);
    std::filesystem::permissions(path,
        std::filesystem::perms::owner_write | std::filesystem::perms::group_write |
            std::filesystem::perms::others_write,
        std::filesystem::perm_options::remove);

    const OwnFormatsSaveStatus status = saveOwnFormats(path, {});
    EXPECT_EQ(status.failure, Failure::CannotCreate);
    EXPECT_TRUE(status.error.failed());
    EXPECT_EQ(readBytes(path), before);
    EXPECT_EQ(loadOwnFormats(path).formats, kFormats);
    EXPECT_EQ(filesInFolder(), 1u);
    std::filesystem::permissions(path, std::filesystem::perms::owner_write, std::filesystem::perm_options::add);
}

} // namespace
} // namespace zv
