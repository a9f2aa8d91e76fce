#include "SettingsFileTest.h"

#include "common/ScopedFileSizeLimit.h"
#include "common/ScopedUnprivileged.h"
#include "profiles/DefaultProfiles.h"

#include <cerrno>
#include <chrono>
#include <fcntl.h>
#include <filesystem>
#include <functional>
#include <future>
#include <sys/stat.h>
#include <unistd.h>

namespace zv {

const int kFolderOpenedAsFile = EISDIR;
const std::size_t kLongSettingsPath = 300; // beyond the 255 of a single name

namespace {

using test::readBytes;
using test::writeBytes;
using Failure = SettingsStatus::Failure;

// Windows ignores the READONLY attribute of a folder, and only access lists, which
// Wine does not enforce, keep a user from creating files in one.
TEST_F(SettingsFileTest, aReadOnlyFolderRefusesSavingAndKeepsTheOldFile)
{
    ASSERT_TRUE(settings.ReadINI(table).ok());
    const std::string before = readBytes(settings.path());
    ::chmod(folder.path().c_str(), 0555);
    table[2].FileBaseName = "NEW";
    SettingsStatus status;
    {
        test::ScopedUnprivileged unprivileged;
        status = settings.saveUserSettings(table);
    }
    ::chmod(folder.path().c_str(), 0755);
    EXPECT_EQ(status.failure, Failure::CannotCreate);
    EXPECT_EQ(status.error.code, EACCES);
    EXPECT_EQ(readBytes(settings.path()), before);
}

// A file-size limit is the one way to make a write fail halfway without a real full
// medium; Windows has none.
TEST_F(SettingsFileTest, aWriteFailingHalfwayKeepsTheOldFileWhole)
{
    ASSERT_TRUE(settings.ReadINI(table).ok());
    const std::string before = readBytes(settings.path());
    table[0].FileBaseName = std::string(4096, 'x'); // far beyond the file-size limit below

    // A full card, simulated by a file-size limit: the write fails after some bytes.
    const SettingsStatus status = [this] {
        const test::ScopedFileSizeLimit full(100);
        return settings.saveUserSettings(table);
    }();

    EXPECT_EQ(status.failure, Failure::CannotWrite);
    EXPECT_EQ(status.error.code, EFBIG);
    EXPECT_EQ(readBytes(settings.path()), before);
    EXPECT_EQ(filesInFolder(), 1u);
}

// On Windows making a symbolic link needs a privilege ordinary users lack, and
// MinGW's standard library cannot make one at all.
TEST_F(SettingsFileTest, aLinkedFileIsReplacedWhereItPoints)
{
    writeBytes(folder.file("real.ini"), "");
    std::filesystem::create_symlink("real.ini", settings.path());
    ASSERT_TRUE(settings.NastrojkiDefaultWrite(table).ok());
    EXPECT_TRUE(std::filesystem::is_symlink(settings.path()));
    EXPECT_EQ(readBytes(folder.file("real.ini")), settingsFileText(DefaultProfiles()));
}

// Whatever sits at the settings path, the start goes on: a pipe must not hold it in open(), a
// device must not feed it without end. Each is a damaged file: a read failure, the table kept.
TEST_F(SettingsFileTest, aSpecialOrHugeFileIsAReadFailureAndNeverBlocks)
{
    const std::string pipe = folder.file("pipe");
    ASSERT_EQ(::mkfifo(pipe.c_str(), 0644), 0);
    const struct {
        std::string_view what;
        std::function<void(const std::string& at)> make;
    } cases[] = {
        {"a pipe", [](const std::string& at) { ::mkfifo(at.c_str(), 0644); }},
        {"a link to a pipe", [](const std::string& at) { std::filesystem::create_symlink("pipe", at); }},
        {"a link to /dev/zero", [](const std::string& at) { std::filesystem::create_symlink("/dev/zero", at); }},
        {"a file of endless lines", [](const std::string& at) { writeBytes(at, std::string(1 << 20, 'x')); }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        c.make(settings.path());
        table[0].FileBaseName = "KEPT";
        auto reading = std::async(std::launch::async, [this] { return settings.ReadINI(table); });
        if (reading.wait_for(std::chrono::seconds(5)) != std::future_status::ready) {
            ADD_FAILURE() << "the read still waits after 5 s";
            // Releases a reader held in open() by the pipe, so the test can end.
            const int writer = ::open(settings.path().c_str(), O_WRONLY | O_NONBLOCK);
            if (writer >= 0)
                ::close(writer);
        }
        const SettingsStatus status = reading.get();
        EXPECT_EQ(status.failure, Failure::CannotRead);
        EXPECT_FALSE(status.error.message.empty());
        EXPECT_EQ(table[0].FileBaseName, "KEPT");
        std::filesystem::remove(settings.path());
    }
}

// A save replaces a linked file where it points only when that is a regular file: a link to a
// pipe or a folder is refused, and what it points at stays as it is.
TEST_F(SettingsFileTest, aLinkToSomethingElseThanAFileIsNeverSavedOver)
{
    ASSERT_EQ(::mkfifo(folder.file("pipe").c_str(), 0644), 0);
    std::filesystem::create_directory(folder.file("dir"));
    std::filesystem::create_symlink("pipe", folder.file("to-pipe"));
    const struct {
        std::string_view what;
        std::string target;
    } cases[] = {
        {"a link to a pipe", "pipe"},
        {"a chain of links to a pipe", "to-pipe"},
        {"a link to a folder", "dir"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        std::filesystem::create_symlink(c.target, settings.path());
        table = DefaultProfiles();
        const SettingsStatus status = settings.saveUserSettings(table);
        EXPECT_EQ(status.failure, Failure::CannotCreate);
        EXPECT_FALSE(status.error.message.empty());
        EXPECT_TRUE(std::filesystem::is_fifo(folder.file("pipe")));
        EXPECT_TRUE(std::filesystem::is_empty(folder.file("dir")));
        EXPECT_EQ(filesInFolder(), 4u); // the pipe, the folder and the two links: no temporary
        std::filesystem::remove(settings.path());
    }
}

TEST_F(SettingsFileTest, aLinkToAMissingFileIsAFirstStart)
{
    std::filesystem::create_directory(folder.file("elsewhere"));
    std::filesystem::create_symlink("elsewhere/real.ini", settings.path());
    ASSERT_TRUE(settings.ReadINI(table).ok());
    EXPECT_EQ(table, DefaultProfiles());
    EXPECT_TRUE(std::filesystem::is_symlink(settings.path()));
    EXPECT_EQ(readBytes(folder.file("elsewhere/real.ini")), settingsFileText(DefaultProfiles()));
}

} // namespace
} // namespace zv
