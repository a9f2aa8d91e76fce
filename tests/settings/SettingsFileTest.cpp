#include "settings/SettingsFile.h"
#include "common/TempFolder.h"
#include "profiles/DefaultProfiles.h"

#include <chrono>
#include <filesystem>
#include <functional>
#include <future>
#include <gtest/gtest.h>
#include <set>

#ifdef _WIN32
#include <windows.h>
#else
#include "common/ScopedFileSizeLimit.h"
#include "common/ScopedUnprivileged.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace zv {
namespace {

using test::readBytes;
using test::TempFolder;
using test::writeBytes;
using Failure = SettingsStatus::Failure;

#ifdef _WIN32
// Windows opens a folder as a file only with backup semantics; without, it is "access denied".
constexpr int kFolderOpenedAsFile = ERROR_ACCESS_DENIED;
#else
constexpr int kFolderOpenedAsFile = EISDIR;
#endif

// Read-only for everyone: permission bits on POSIX, the READONLY attribute on Windows.
void setReadOnly(const std::string& path, bool readOnly)
{
    constexpr auto writeBits = std::filesystem::perms::owner_write | std::filesystem::perms::group_write |
        std::filesystem::perms::others_write;
    std::filesystem::permissions(
        path, writeBits, readOnly ? std::filesystem::perm_options::remove : std::filesystem::perm_options::add);
}

class SettingsFileTest : public ::testing::Test {
protected:
    std::size_t filesInFolder() const
    {
        return static_cast<std::size_t>(
            std::distance(std::filesystem::directory_iterator(folder.path()), std::filesystem::directory_iterator()));
    }

    TempFolder folder;
    SettingsFile settings{folder.file("Zentrik.ini")};
    ProfileTable table;
};

TEST_F(SettingsFileTest, firstStartWritesTheDefaultFileAndLoadsIt)
{
    ASSERT_TRUE(settings.ReadINI(table).ok());
    EXPECT_EQ(table, DefaultProfiles());
    EXPECT_EQ(readBytes(settings.path()), settingsFileText(DefaultProfiles()));
    EXPECT_EQ(filesInFolder(), 1u); // no temporary file left behind
}

TEST_F(SettingsFileTest, loadingNeverChangesTheFile)
{
    const std::string shortFile = "XYZ\r\nTAG\r\n7\r\n1\r\n1\r\n0\r\n0\r\nMD80SE\r\nclock\r\n2";
    writeBytes(settings.path(), shortFile);
    ASSERT_TRUE(settings.ReadINI(table).ok());
    EXPECT_EQ(table[0], (CameraProfile{"MD80", "TAG", "2", "1", "1", "0", "0"}));
    EXPECT_EQ(table[1].FileBaseName, "clock");
    EXPECT_EQ(table[2].FileBaseName, "");
    EXPECT_EQ(readBytes(settings.path()), shortFile);
}

// The command line reads the settings but must leave the user's folder as it found it.
TEST_F(SettingsFileTest, readingWithoutWritingGivesTheDefaultsForAMissingFileAndCreatesNothing)
{
    const SettingsFile nested(folder.file("config/Zentrik.ini"));
    ASSERT_TRUE(nested.readWithoutWriting(table).ok());
    EXPECT_EQ(table, DefaultProfiles());
    EXPECT_EQ(filesInFolder(), 0u);

    const std::string damaged = "XYZ\r\nclock\r\n7\r\n";
    writeBytes(settings.path(), damaged);
    ASSERT_TRUE(settings.readWithoutWriting(table).ok());
    CameraProfile validated = DefaultProfiles()[0];
    validated.FileBaseName = "clock"; // the bad code and the missing lines take the defaults
    EXPECT_EQ(table[0], validated);
    EXPECT_EQ(readBytes(settings.path()), damaged);
}

TEST_F(SettingsFileTest, saveThenReloadGivesTheSameTableAndDropsExtraLines)
{
    writeBytes(settings.path(), settingsFileText(DefaultProfiles()) + "line 71\r\nline 72\r\n");
    ASSERT_TRUE(settings.ReadINI(table).ok());
    table[0].ModelName = "XYZ";
    table[3].DateSeparatorCode = "3";
    table[7].FileBaseName = "TIME2";
    table[9].TimeStampCode = "1";
    table[9].SpareFlagCode = "0";
    ASSERT_TRUE(settings.saveUserSettings(table).ok());
    EXPECT_EQ(table[0].ModelName, "MD80"); // reloaded from what was written

    ProfileTable restarted;
    ASSERT_TRUE(SettingsFile(settings.path()).ReadINI(restarted).ok());
    EXPECT_EQ(restarted, table);
    EXPECT_EQ(restarted[3].DateSeparatorCode, "3");
    EXPECT_EQ(restarted[9].SpareFlagCode, "0");
    EXPECT_EQ(readBytes(settings.path()), settingsFileText(table));
}

TEST_F(SettingsFileTest, restoreOverwritesEverySavedChange)
{
    ASSERT_TRUE(settings.ReadINI(table).ok());
    table[5].FileBaseName = "OTHER";
    ASSERT_TRUE(settings.saveUserSettings(table).ok());
    ASSERT_TRUE(settings.NastrojkiDefaultWrite(table).ok());
    EXPECT_EQ(table, DefaultProfiles());
    EXPECT_EQ(readBytes(settings.path()), settingsFileText(DefaultProfiles()));
}

TEST_F(SettingsFileTest, aReadOnlyFileLoadsButRefusesSavingAndStaysByteIdentical)
{
    const std::string original = settingsFileText(DefaultProfiles()) + "extra\r\n";
    writeBytes(settings.path(), original);
    setReadOnly(settings.path(), true);
    ASSERT_TRUE(settings.ReadINI(table).ok());

    const ProfileTable loaded = table;
    table[0].FileBaseName = "CHANGED";
    for (auto write : {&SettingsFile::saveUserSettings, &SettingsFile::NastrojkiDefaultWrite}) {
        const SettingsStatus status = (settings.*write)(table);
        EXPECT_EQ(status.failure, Failure::CannotCreate);
        EXPECT_FALSE(status.error.message.empty());
        EXPECT_EQ(readBytes(settings.path()), original);
    }
    EXPECT_EQ(table[0].FileBaseName, "CHANGED"); // the table is not reloaded after a failed write
    EXPECT_EQ(table[1], loaded[1]);
    EXPECT_EQ(filesInFolder(), 1u);
    setReadOnly(settings.path(), false); // Windows deletes no read-only file, not even the test's
}

#ifndef _WIN32
// POSIX only: Windows ignores the READONLY attribute of a folder, and only access lists, which
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

// POSIX only: a file-size limit is the one way to make a write fail halfway without a real full
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
#endif

TEST_F(SettingsFileTest, aFolderWhereTheFileShouldBeIsAReadFailure)
{
    std::filesystem::create_directory(settings.path());
    const SettingsStatus status = settings.ReadINI(table);
    EXPECT_EQ(status.failure, Failure::CannotRead);
    EXPECT_EQ(status.error.code, kFolderOpenedAsFile);
    EXPECT_EQ(table, ProfileTable{}); // untouched
}

TEST_F(SettingsFileTest, aMissingConfigurationFolderIsCreatedOnFirstStart)
{
    const SettingsFile nested(folder.file("config/zentrik/Zentrik.ini"));
    ASSERT_TRUE(nested.ReadINI(table).ok());
    EXPECT_EQ(readBytes(nested.path()), settingsFileText(DefaultProfiles()));
}

#ifndef _WIN32
// POSIX only: on Windows making a symbolic link needs a privilege ordinary users lack, and
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
#endif

// A save killed before its rename leaves its temporary beside the file; the next save clears
// those, and only those: the name, ".tmp" and the number a temporary gets.
TEST_F(SettingsFileTest, savingClearsLeftOverTemporariesAndNothingElse)
{
    ASSERT_TRUE(settings.ReadINI(table).ok());
    const std::set<std::string> leftOvers = {"Zentrik.ini.tmp0", "Zentrik.ini.tmp42", "Zentrik.ini.tmp999999"};
    const std::set<std::string> others = {"Zentrik.ini.tmp", "Zentrik.ini.tmpABC", "Zentrik.ini.tmp12a",
        "Zentrik.ini.tmp1234567", "Zentrik.ini.tmp-1", "other.tmp123", "zentrik.ini.tmp5", "Zentrik.ini.bak"};
    for (const auto* names : {&leftOvers, &others}) {
        for (const std::string& name : *names)
            writeBytes(folder.file(name), "kept?");
    }
    ASSERT_TRUE(settings.saveUserSettings(table).ok());

    std::set<std::string> present;
    for (const auto& entry : std::filesystem::directory_iterator(folder.path()))
        present.insert(entry.path().filename().string());
    std::set<std::string> expected = others;
    expected.insert("Zentrik.ini");
    EXPECT_EQ(present, expected);
    for (const std::string& name : others)
        EXPECT_EQ(readBytes(folder.file(name)), "kept?") << name;
}

TEST_F(SettingsFileTest, aLongPathIsUsedWhole)
{
#ifdef _WIN32
    // Windows paths end at MAX_PATH, and a save's temporary file adds ".tmp" and up to six digits.
    // Wine does not enforce MAX_PATH, so only a path right at that limit is checked here.
    constexpr std::size_t length = MAX_PATH - 1 - 10;
#else
    constexpr std::size_t length = 300; // beyond the 255 of a single name
#endif
    const std::string fileName = TempFolder::kSeparator + std::string("Zentrik.ini");
    std::string deep = folder.path();
    for (char letter = 'a'; deep.size() + 51 + 1 + fileName.size() < length; ++letter)
        deep += TempFolder::kSeparator + std::string(50, letter);
    deep += TempFolder::kSeparator + std::string(length - deep.size() - 1 - fileName.size(), 'z');
    const SettingsFile longPath(deep + fileName);
    ASSERT_EQ(longPath.path().size(), length);
    ASSERT_TRUE(longPath.ReadINI(table).ok());
    EXPECT_EQ(readBytes(longPath.path()), settingsFileText(DefaultProfiles()));
}

} // namespace
} // namespace zv
