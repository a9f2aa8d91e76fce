#include "drives/TimeFileWriter.h"

#include "common/TempFolder.h"
#include "fakes/FakeDriveProbe.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>
#include <functional>
#include <set>

#ifdef _WIN32
#include <windows.h>
#else
#include "common/ScopedFileSizeLimit.h"
#include "common/ScopedUnprivileged.h"

#include <sys/stat.h>
#endif

namespace zv {
namespace {

using test::readBytes;

class TimeFileWriterTest : public ::testing::Test {
protected:
    TimeFileWriterTest() { probe.plug(root(), "CAM"); }

    std::string root() const { return folder.path() + "/"; }

    TimeFileResult write(const std::string& baseName, std::string_view text)
    {
        return writeTimeFile(root(), baseName, text, probe);
    }

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
    test::FakeDriveProbe probe;
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
        const TimeFileResult result = write("TIMERSET", c.text);
        ASSERT_TRUE(result.success) << result.text;
        EXPECT_EQ(result.code, 0);
        const std::string bytes = readBytes(folder.file("TIMERSET.txt"));
        EXPECT_EQ(bytes, std::string(c.text) + "\r\n");
        EXPECT_EQ(bytes.size(), c.size);
    }
    EXPECT_EQ(filesInRoot(), std::set<std::string>{"TIMERSET.txt"});
}

#ifndef _WIN32
// A name from a Zentrik.ini carried over from Windows is in its code page; the card gets the
// letters the window shows, in the file system's UTF-8.
TEST_F(TimeFileWriterTest, aNameInTheWindowsCodePageArrivesAsItsLetters)
{
    ASSERT_TRUE(write("\xCA\xC0\xCC\xC5\xD0\xC0", "x").success);
    ASSERT_TRUE(write("\xD0\x9A\xD0\x90\xD0\x9C", "y").success);
    EXPECT_EQ(filesInRoot(), (std::set<std::string>{"КАМЕРА.txt", "КАМ.txt"}));
}
#endif

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
        {"TAG.tmp", false}, // the names the writer once used for its temporary
        {"time.tmp", false},
        {"TIMERSET.tmp", false},
        {"TIME.tmp", false},
        {"TIME.txt.tmp", false},
        {".zentrik-vesmar.tmp.", false}, // look-alikes of the program's own name
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
#ifndef _WIN32
        // A link in the mount point's place would carry the write wherever it points.
        {"the root is now a link", folder.file("link") + "/",
            [this] {
                std::filesystem::create_directory_symlink("card", folder.file("link"));
                probe.plug(folder.file("link") + "/", "LINK");
            }},
#endif
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

#ifndef _WIN32
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
#endif

#ifndef _WIN32
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
    const TimeFileResult result = write("TIME", "new");
    std::filesystem::permissions(
        folder.file("TIME.txt"), std::filesystem::perms::owner_write, std::filesystem::perm_options::add);
    expectFailure(result, 5, "File access denied");
    EXPECT_EQ(readBytes(folder.file("TIME.txt")), "old\r\n");
}

#ifndef _WIN32

// POSIX only: Windows ignores the READONLY attribute of a folder; only access lists, which Wine
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
        {ERROR_FILE_EXISTS, 5, "File access denied"},
        {ERROR_ALREADY_EXISTS, 5, "File access denied"},
        {ERROR_CANT_ACCESS_FILE, 5, "File access denied"},
        {ERROR_DIRECTORY, 3, "Invalid filename"},
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
