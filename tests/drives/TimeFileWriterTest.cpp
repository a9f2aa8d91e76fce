#include "drives/TimeFileWriter.h"

#include "common/TempFolder.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>
#include <set>

#ifdef _WIN32
#include <windows.h>
#else
#include "common/ScopedUnprivileged.h"

#include <sys/stat.h>
#endif

namespace zv {
namespace {

using test::readBytes;

class TimeFileWriterTest : public ::testing::Test {
protected:
    std::string root() const { return folder.path() + "/"; }

    std::set<std::string> filesInRoot() const
    {
        std::set<std::string> names;
        for (const auto& entry : std::filesystem::directory_iterator(folder.path()))
            names.insert(entry.path().filename().string());
        return names;
    }

    static void expectFailure(const TimeFileResult& result, int code, const std::string& text)
    {
        EXPECT_FALSE(result.success);
        EXPECT_EQ(result.code, code);
        EXPECT_EQ(result.text, text);
    }

    test::TempFolder folder;
};

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
        const TimeFileResult result = writeTimeFile(root(), "TIMERSET", c.text);
        ASSERT_TRUE(result.success) << result.text;
        EXPECT_EQ(result.code, 0);
        const std::string bytes = readBytes(folder.file("TIMERSET.txt"));
        EXPECT_EQ(bytes, std::string(c.text) + "\r\n");
        EXPECT_EQ(bytes.size(), c.size);
    }
    EXPECT_EQ(filesInRoot(), std::set<std::string>{"TIMERSET.txt"});
}

TEST_F(TimeFileWriterTest, secondWriteReplacesTheFirst)
{
    ASSERT_TRUE(writeTimeFile(root(), "TIME", "2012.10.02 14:24:32 Y").success);
    ASSERT_TRUE(writeTimeFile(root(), "TIME", "2012-10-02 14:24:33").success);
    EXPECT_EQ(readBytes(folder.file("TIME.txt")), "2012-10-02 14:24:33\r\n");
}

TEST_F(TimeFileWriterTest, emptyBaseNameWritesDotTxt)
{
    ASSERT_TRUE(writeTimeFile(root(), "", "x").success);
    EXPECT_EQ(filesInRoot(), std::set<std::string>{".txt"});
}

TEST_F(TimeFileWriterTest, refusesBaseNamesThatLeaveTheRootAndWritesNothing)
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
    };
    for (const std::string& name : names) {
        SCOPED_TRACE(name);
        expectFailure(writeTimeFile(root(), name, "x"), 3, "Invalid filename");
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
        expectFailure(writeTimeFile(saveDir, "TIME", "x"), 3, "Invalid filename");
    }
    EXPECT_EQ(filesInRoot(), std::set<std::string>{"plain"});
}

#ifndef _WIN32
// On Windows the whole path must also stay under MAX_PATH, which a temporary folder's does not
// (Wine would not notice): the Windows drive tests check this limit at a card's root instead.
TEST_F(TimeFileWriterTest, longNameIsWrittenWholeOrRefusedNeverCut)
{
    const std::string longest(255 - 4, 'a'); // the longest name most file systems keep
    ASSERT_TRUE(writeTimeFile(root(), longest, "x").success);
    EXPECT_EQ(filesInRoot(), std::set<std::string>{longest + ".txt"});

    std::filesystem::remove(folder.file(longest + ".txt"));
    expectFailure(writeTimeFile(root(), longest + "b", "x"), 3, "Invalid filename");
    EXPECT_TRUE(filesInRoot().empty());
}
#endif

// Read-only is the owner's word and binds everyone: root on Linux, an administrator on Windows
// (where the system itself would let one through, and Wine lets root through).
TEST_F(TimeFileWriterTest, readOnlyFileIsAccessDeniedEvenWithFullRights)
{
    test::writeBytes(folder.file("TIME.txt"), "old\r\n");
    std::filesystem::permissions(folder.file("TIME.txt"),
        std::filesystem::perms::owner_write | std::filesystem::perms::group_write |
            std::filesystem::perms::others_write,
        std::filesystem::perm_options::remove);
    const TimeFileResult result = writeTimeFile(root(), "TIME", "new");
    std::filesystem::permissions(
        folder.file("TIME.txt"), std::filesystem::perms::owner_write, std::filesystem::perm_options::add);
    expectFailure(result, 5, "File access denied");
    EXPECT_EQ(readBytes(folder.file("TIME.txt")), "old\r\n");
}

#ifndef _WIN32

// POSIX only: Windows has no device that is always full; its disk-full codes are in the mapping below.
TEST_F(TimeFileWriterTest, fullMediumIsDiskFullAndNoSuccess)
{
    if (!std::filesystem::exists("/dev/full"))
        GTEST_SKIP() << "no /dev/full here";
    std::filesystem::create_symlink("/dev/full", folder.file("TAG.txt"));
    expectFailure(writeTimeFile(root(), "TAG", "2012-10-02 14:24:32"), 101, "Disk full");
}

// POSIX only: Windows ignores the READONLY attribute of a folder; only access lists, which Wine
// does not enforce, keep a user from creating files in one.
TEST_F(TimeFileWriterTest, readOnlyFolderOrFileIsAccessDenied)
{
    const std::string readOnlyRoot = folder.file("ro") + "/";
    std::filesystem::create_directory(readOnlyRoot);
    ::chmod(readOnlyRoot.c_str(), 0555);
    test::writeBytes(folder.file("TIME.txt"), "old\r\n");
    ::chmod(folder.file("TIME.txt").c_str(), 0444);

    TimeFileResult inReadOnlyFolder;
    TimeFileResult overReadOnlyFile;
    {
        test::ScopedUnprivileged unprivileged;
        if (!unprivileged.effective())
            GTEST_SKIP() << "root could not give up its rights, and permission bits do not bind it";
        inReadOnlyFolder = writeTimeFile(readOnlyRoot, "TIME", "new");
        overReadOnlyFile = writeTimeFile(root(), "TIME", "new");
    }
    ::chmod(readOnlyRoot.c_str(), 0755);

    expectFailure(inReadOnlyFolder, 5, "File access denied");
    expectFailure(overReadOnlyFile, 5, "File access denied");
    EXPECT_TRUE(std::filesystem::is_empty(readOnlyRoot));
    EXPECT_EQ(readBytes(folder.file("TIME.txt")), "old\r\n");
}

TEST(TimeFileFailure, mapsSystemErrorsOntoTheCodesUsersSee)
{
    const struct {
        int systemCode;
        int code;
        std::string text;
    } cases[] = {
        {ENOENT, 3, "Invalid filename"},
        {ENOTDIR, 3, "Invalid filename"},
        {ENAMETOOLONG, 3, "Invalid filename"},
        {EACCES, 5, "File access denied"},
        {EPERM, 5, "File access denied"},
        {EROFS, 5, "File access denied"},
        {EMFILE, 4, "Too many open files"},
        {ENFILE, 4, "Too many open files"},
        {ENOSPC, 101, "Disk full"},
        {EDQUOT, 101, "Disk full"},
        // No code of its own: the number, even where it equals a texted code (EIO is 5 on Linux).
        {EIO, EIO, "I/O error " + std::to_string(EIO)},
        {EBUSY, EBUSY, "I/O error " + std::to_string(EBUSY)},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.systemCode);
        const TimeFileResult result = failureFromSystemError(c.systemCode);
        EXPECT_FALSE(result.success);
        EXPECT_EQ(result.code, c.code);
        EXPECT_EQ(result.text, c.text);
    }
}

#else

TEST(TimeFileFailure, mapsSystemErrorsOntoTheCodesUsersSee)
{
    const struct {
        DWORD systemCode;
        int code;
        std::string text;
    } cases[] = {
        {ERROR_FILE_NOT_FOUND, 3, "Invalid filename"},
        {ERROR_PATH_NOT_FOUND, 3, "Invalid filename"},
        {ERROR_NOT_READY, 3, "Invalid filename"}, // the card was pulled
        {ERROR_INVALID_DRIVE, 3, "Invalid filename"},
        {ERROR_FILENAME_EXCED_RANGE, 3, "Invalid filename"},
        {ERROR_ACCESS_DENIED, 5, "File access denied"},
        {ERROR_WRITE_PROTECT, 5, "File access denied"}, // the card's lock switch
        {ERROR_SHARING_VIOLATION, 5, "File access denied"},
        {ERROR_TOO_MANY_OPEN_FILES, 4, "Too many open files"},
        {ERROR_DISK_FULL, 101, "Disk full"},
        {ERROR_HANDLE_DISK_FULL, 101, "Disk full"},
        // No code of its own: the number, even where it equals a texted code.
        {ERROR_TOO_MANY_SEMAPHORES, 100, "I/O error 100"},
        {ERROR_EXCL_SEM_ALREADY_OWNED, 101, "I/O error 101"},
        {ERROR_CRC, 23, "I/O error 23"},
        {ERROR_GEN_FAILURE, 31, "I/O error 31"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.systemCode);
        const TimeFileResult result = failureFromSystemError(static_cast<int>(c.systemCode));
        EXPECT_FALSE(result.success);
        EXPECT_EQ(result.code, c.code);
        EXPECT_EQ(result.text, c.text);
    }
}

#endif

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
