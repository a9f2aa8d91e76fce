#include "settings/SettingsFile.h"
#include "common/TempFolder.h"
#include "profiles/DefaultProfiles.h"

#include <filesystem>
#include <gtest/gtest.h>

#ifdef _WIN32
#include <windows.h>
#else
#include "common/ScopedUnprivileged.h"

#include <csignal>
#include <sys/resource.h>
#include <sys/stat.h>
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
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit oldLimit{};
    ::getrlimit(RLIMIT_FSIZE, &oldLimit);
    rlimit small = oldLimit;
    small.rlim_cur = 100;
    ::setrlimit(RLIMIT_FSIZE, &small);
    const SettingsStatus status = settings.saveUserSettings(table);
    ::setrlimit(RLIMIT_FSIZE, &oldLimit);
    std::signal(SIGXFSZ, oldHandler);

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
