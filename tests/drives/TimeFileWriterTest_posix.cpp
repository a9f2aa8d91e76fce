#include "TimeFileWriterTest.h"

#include "common/ScopedFileSizeLimit.h"
#include "common/ScopedUnprivileged.h"

#include <cerrno>
#include <filesystem>
#include <functional>
#include <optional>
#include <set>
#include <sys/stat.h>

namespace zv {
namespace {

using test::readBytes;

// A name from a Zentrik.ini carried over from Windows is in its code page; the card gets the
// letters the window shows, in the file system's UTF-8.
TEST_F(TimeFileWriterTest, aNameInTheWindowsCodePageArrivesAsItsLetters)
{
    ASSERT_TRUE(write("\xCA\xC0\xCC\xC5\xD0\xC0", "x").success);
    ASSERT_TRUE(write("\xD0\x9A\xD0\x90\xD0\x9C", "y").success);
    EXPECT_EQ(filesInRoot(), (std::set<std::string>{"КАМЕРА.txt", "КАМ.txt"}));
}

// The card pulled after the last poll, and a link made in the mount point's place: the link
// would carry the write wherever it points.
TEST_F(TimeFileWriterTest, aRootThatIsNowALinkGetsNoFile)
{
    std::filesystem::create_directory(folder.file("card"));
    const std::string saveDir = folder.file("link") + "/";
    std::filesystem::create_directory_symlink("card", folder.file("link"));
    probe.plug(saveDir, "LINK");
    expectFailure(writeTimeFile(saveDir, "TAG", "x", probe), 3, "Invalid filename");
    EXPECT_FALSE(filesInRoot().contains("TAG.txt"));
    EXPECT_TRUE(std::filesystem::is_empty(folder.file("card")));
}

// The probe compares the device of the folder actually opened with the mount's.
TEST_F(TimeFileWriterTest, theProbeIsAskedAboutTheDeviceOfTheOpenedRoot)
{
    struct stat status { };
    ASSERT_EQ(::stat(folder.path().c_str(), &status), 0);
    ASSERT_TRUE(write("TAG", "x").success);
    EXPECT_EQ(probe.askedDevice, std::optional<std::uint64_t>(status.st_dev));
}

// A link in the time file's place is the card's own entry: it is replaced by the time file and
// whatever it points at, on the card or off it, stays as it was. A folder there is refused.
TEST_F(TimeFileWriterTest, whatSitsInTheTimeFilesPlaceIsReplacedNeverWrittenThrough)
{
    const test::TempFolder outside;
    const std::string outsideName = std::filesystem::path(outside.path()).filename().string();
    test::writeBytes(outside.file("victim"), "precious\n");
    test::writeBytes(outside.file("locked"), "locked\n");
    ::chmod(outside.file("locked").c_str(), 0444);
    std::filesystem::create_directory(outside.file("dir"));
    const auto outsideListing = [&outside] {
        std::set<std::string> names;
        for (const auto& entry : std::filesystem::recursive_directory_iterator(outside.path()))
            names.insert(
                entry.path().string() + "=" + (entry.is_regular_file() ? readBytes(entry.path().string()) : ""));
        return names;
    };
    const std::set<std::string> outsideBefore = outsideListing();

    const struct {
        std::string_view what;
        std::function<void(const std::string& at)> make;
        bool replaced;
    } cases[] = {
        {"a regular file", [](const std::string& at) { test::writeBytes(at, "old\r\n"); }, true},
        {"an absolute link to a file outside",
            [&](const std::string& at) { std::filesystem::create_symlink(outside.file("victim"), at); }, true},
        {"a relative link to a file outside",
            [&](const std::string& at) { std::filesystem::create_symlink("../" + outsideName + "/victim", at); }, true},
        {"a dangling link", [&](const std::string& at) { std::filesystem::create_symlink(outside.file("new"), at); },
            true},
        {"a link to a read-only file",
            [&](const std::string& at) { std::filesystem::create_symlink(outside.file("locked"), at); }, true},
        {"a link to a folder", [&](const std::string& at) { std::filesystem::create_symlink(outside.file("dir"), at); },
            true},
        {"a pipe", [](const std::string& at) { ::mkfifo(at.c_str(), 0644); }, true},
        {"a folder", [](const std::string& at) { std::filesystem::create_directory(at); }, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const std::string timeFile = folder.file("TAG.txt");
        c.make(timeFile);
        const TimeFileResult result = write("TAG", "2012-10-02 14:24:32");
        EXPECT_EQ(result.success, c.replaced) << result.text;
        if (c.replaced) {
            EXPECT_EQ(std::filesystem::symlink_status(timeFile).type(), std::filesystem::file_type::regular);
            EXPECT_EQ(readBytes(timeFile), "2012-10-02 14:24:32\r\n");
        } else {
            EXPECT_EQ(result.text, "File access denied");
            EXPECT_TRUE(std::filesystem::is_directory(std::filesystem::symlink_status(timeFile)));
            EXPECT_TRUE(std::filesystem::is_empty(timeFile));
        }
        EXPECT_EQ(filesInRoot(), std::set<std::string>{"TAG.txt"});
        EXPECT_EQ(outsideListing(), outsideBefore);
        std::filesystem::remove(timeFile);
    }
    ::chmod(outside.file("locked").c_str(), 0644);
}

// A full card, played by a file-size limit that fails the write after a few bytes (SIGXFSZ
// ignored, so the write returns EFBIG). The card keeps what it had; no empty or partial time
// file and no temporary stays behind.
TEST_F(TimeFileWriterTest, aFailedWriteLeavesTheOldFileWholeAndNoTemporary)
{
    const struct {
        std::string_view what;
        std::optional<std::string> old;
        bool staleTemporary;
    } cases[] = {
        {"no earlier file", std::nullopt, false},
        {"an earlier good file", "2012-10-02 14:24:32\r\n", false},
        {"an earlier file and a left-over temporary", "2012-10-02 14:24:32\r\n", true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        for (const auto& entry : std::filesystem::directory_iterator(folder.path()))
            std::filesystem::remove(entry.path());
        if (c.old)
            test::writeBytes(folder.file("TAG.txt"), *c.old);
        if (c.staleTemporary)
            test::writeBytes(folder.file(".zentrik-vesmar.tmp.7"), "2012");

        const TimeFileResult result = [this] {
            const test::ScopedFileSizeLimit full(8);
            return write("TAG", "2012-10-02 14:24:33");
        }();

        EXPECT_FALSE(result.success);
        if (c.old) {
            EXPECT_EQ(filesInRoot(), std::set<std::string>{"TAG.txt"});
            EXPECT_EQ(readBytes(folder.file("TAG.txt")), *c.old);
        } else {
            EXPECT_TRUE(filesInRoot().empty());
        }
    }
}

// On Windows the whole path must also stay under MAX_PATH, which a temporary folder's does not
// (Wine would not notice): the Windows drive tests check this limit at a card's root instead.
TEST_F(TimeFileWriterTest, longNameIsWrittenWholeOrRefusedNeverCut)
{
    const std::string longest(255 - 4, 'a'); // the longest name most file systems keep
    ASSERT_TRUE(write(longest, "x").success);
    EXPECT_EQ(filesInRoot(), std::set<std::string>{longest + ".txt"});

    std::filesystem::remove(folder.file(longest + ".txt"));
    expectFailure(write(longest + "b", "x"), 3, "Invalid filename");
    EXPECT_TRUE(filesInRoot().empty());
}

// Windows ignores the READONLY attribute of a folder; only access lists, which Wine
// does not enforce, keep a user from creating files in one.
TEST_F(TimeFileWriterTest, readOnlyFolderOrFileIsAccessDenied)
{
    const std::string readOnlyRoot = folder.file("ro") + "/";
    std::filesystem::create_directory(readOnlyRoot);
    probe.plug(readOnlyRoot, "RO");
    ::chmod(readOnlyRoot.c_str(), 0555);
    test::writeBytes(folder.file("TIME.txt"), "old\r\n");
    ::chmod(folder.file("TIME.txt").c_str(), 0444);

    TimeFileResult inReadOnlyFolder;
    TimeFileResult overReadOnlyFile;
    {
        test::ScopedUnprivileged unprivileged;
        if (!unprivileged.effective())
            GTEST_SKIP() << "root could not give up its rights, and permission bits do not bind it";
        inReadOnlyFolder = writeTimeFile(readOnlyRoot, "TIME", "new", probe);
        overReadOnlyFile = write("TIME", "new");
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
        {ELOOP, 3, "Invalid filename"},
        {EACCES, 5, "File access denied"},
        {EPERM, 5, "File access denied"},
        {EROFS, 5, "File access denied"},
        {EMFILE, 4, "Too many open files"},
        {ENFILE, 4, "Too many open files"},
        {EINVAL, 3, "Invalid filename"}, // FAT refuses a character of the name
        {EILSEQ, 3, "Invalid filename"},
        {EEXIST, 5, "File access denied"},
        {EISDIR, 5, "File access denied"},
        {ETXTBSY, 5, "File access denied"},
        {ENOSPC, 101, "Disk full"},
        {EDQUOT, 101, "Disk full"},
        {EFBIG, 101, "Disk full"},
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

} // namespace
} // namespace zv
