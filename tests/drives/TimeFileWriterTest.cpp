#include "TimeFileWriterTest.h"

#include <filesystem>
#include <functional>
#include <set>

namespace zv {
namespace {

using test::readBytes;

TEST_F(TimeFileWriterTest, writesTheTextThenCrLfAndNothingElse)
{
    const struct {
        std::string_view text;
        std::size_t size;
    } cases[] = {
        {"2012-10-02 14:24:32", 21},
        {"2012.10.02\r\n14:24:32", 22},
        {"20121002142432 N", 18},
        {"\xC4\xE0\xF2\xE0", 6}, // single-byte Cyrillic stays as it is, no byte-order mark
        {"", 2},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        const TimeFileResult result = write("TIMERSET", c.text);
        ASSERT_TRUE(result.success) << result.text;
        EXPECT_EQ(result.code, 0);
        const std::string bytes = readBytes(folder.file("TIMERSET.txt"));
        EXPECT_EQ(bytes, std::string(c.text) + "\r\n");
        EXPECT_EQ(bytes.size(), c.size);
    }
    EXPECT_EQ(filesInRoot(), std::set<std::string>{"TIMERSET.txt"});
}

// The card is the owner's: nothing on it but the time file is ever changed or removed, whatever
// its name looks like. Only a temporary of the program's own, left by a write cut off by a pulled
// card, is cleared, and only by its exact name.
TEST_F(TimeFileWriterTest, onlyTheTimeFileChangesAndOnlyOurOwnLeftOverGoes)
{
    const std::string ownLeftOver = ".zentrik-vesmar.tmp.4711";
    const struct {
        std::string name;
        bool folder;
    } ownersEntries[] = {
        {"TAG.tmp", false}, // the names the writer once used for its temporary (TIME.tmp is
        {"time.tmp", false}, // time.tmp on a case-blind card)
        {"TIMERSET.tmp", false},
        {"TIME.txt.tmp", false},
        {".zentrik-vesmar.tmp.-1", false}, // look-alikes of the program's own name
        {".zentrik-vesmar.tmp.0815", false},
        {".zentrik-vesmar.tmp.12a", false},
        {".zentrik-vesmar.tmp.1234567", false},
        {".zentrik-vesmar.tmp.99", true},
    };
    for (const auto& entry : ownersEntries) {
        if (entry.folder)
            std::filesystem::create_directory(folder.file(entry.name));
        else
            test::writeBytes(folder.file(entry.name), "the owner's " + entry.name);
    }
    test::writeBytes(folder.file(ownLeftOver), "2012");

    for (const std::string_view line : {"2012.10.02 14:24:32 Y", "2012-10-02 14:24:33"}) {
        const TimeFileResult result = write("TIME", line);
        ASSERT_TRUE(result.success) << result.text;
        EXPECT_EQ(readBytes(folder.file("TIME.txt")), std::string(line) + "\r\n");
    }
    std::set<std::string> expected{"TIME.txt"};
    for (const auto& entry : ownersEntries) {
        expected.insert(entry.name);
        if (!entry.folder) {
            EXPECT_EQ(readBytes(folder.file(entry.name)), "the owner's " + entry.name);
        }
    }
    EXPECT_EQ(filesInRoot(), expected);
}

// Names from a damaged or hand-edited settings file: none may leave the root, and none may
// become a hidden ".txt" the camera never reads.
TEST_F(TimeFileWriterTest, refusesBaseNamesThatCannotWorkAndWritesNothing)
{
    std::filesystem::create_directory(folder.file("a"));
    const std::string names[] = {
        "..\\x",
        "a/b",
        "/",
        "\\",
        ".",
        "..",
        "../TIME",
        std::string("TI\0ME", 5),
        "TI\tME",
        "TIME\r\n",
        "TIME\x7F",
        "",
        " ",
        "   ",
    };
    for (const std::string& name : names) {
        SCOPED_TRACE(name);
        expectFailure(write(name, "x"), 3, "Invalid filename");
    }
    EXPECT_EQ(filesInRoot(), std::set<std::string>{"a"});
    EXPECT_TRUE(std::filesystem::is_empty(folder.file("a")));
}

TEST_F(TimeFileWriterTest, missingFolderOrDriveIsAnInvalidFilename)
{
    test::writeBytes(folder.file("plain"), "");
    const std::string saveDirs[] = {root() + "gone/", root() + "plain/", ""};
    for (const std::string& saveDir : saveDirs) {
        SCOPED_TRACE(saveDir);
        expectFailure(writeTimeFile(saveDir, "TIME", "x", probe), 3, "Invalid filename");
    }
    EXPECT_EQ(filesInRoot(), std::set<std::string>{"plain"});
}

// The card pulled, or unmounted lazily, after the last poll: the folder SaveDir names may still be
// there, but now on the computer's own disk. The write lands on the card or nowhere.
TEST_F(TimeFileWriterTest, aRootThatIsNoLongerARemovableDriveGetsNoFile)
{
    std::filesystem::create_directory(folder.file("card"));
    const struct {
        std::string_view what;
        std::string saveDir;
        std::function<void()> between; // what happens between the poll and the press
    } cases[] = {
        {"the probe no longer confirms the root", root(), [this] { probe.removableRootNow = false; }},
        {"the card was unplugged", root(), [this] { probe.unplug(root()); }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        probe.removableRootNow.reset();
        probe.plug(root(), "CAM");
        c.between();
        expectFailure(writeTimeFile(c.saveDir, "TAG", "x", probe), 3, "Invalid filename");
        EXPECT_FALSE(filesInRoot().contains("TAG.txt"));
        EXPECT_TRUE(std::filesystem::is_empty(folder.file("card")));
    }
}

// Read-only is the owner's word and binds everyone: root on Linux, an administrator on Windows
// (where the system itself would let one through, and Wine lets root through).
TEST_F(TimeFileWriterTest, readOnlyFileIsAccessDeniedEvenWithFullRights)
{
    test::writeBytes(folder.file("TIME.txt"), "old\r\n");
    std::filesystem::permissions(folder.file("TIME.txt"),
        std::filesystem::perms::owner_write | std::filesystem::perms::group_write |
            std::filesystem::perms::others_write,
        std::filesystem::perm_options::remove);
    const TimeFileResult result = write("TIME", "new");
    std::filesystem::permissions(
        folder.file("TIME.txt"), std::filesystem::perms::owner_write, std::filesystem::perm_options::add);
    expectFailure(result, 5, "File access denied");
    EXPECT_EQ(readBytes(folder.file("TIME.txt")), "old\r\n");
}

TEST(IoErrorText, namesEachTextedCodeAndNumbersTheRest)
{
    const struct {
        int code;
        std::string_view text;
    } cases[] = {
        {2, "File not found"},
        {3, "Invalid filename"},
        {4, "Too many open files"},
        {5, "File access denied"},
        {100, "Read beyond end of file"},
        {101, "Disk full"},
        {106, "Invalid numeric input"},
        {0, "I/O error 0"},
        {1, "I/O error 1"},
        {32, "I/O error 32"},
        {102, "I/O error 102"},
        {-1, "I/O error -1"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ioErrorText(c.code), c.text) << c.code;
}

} // namespace
} // namespace zv
