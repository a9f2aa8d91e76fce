#include "settings/SettingsFile.h"
#include "common/ScopedUnprivileged.h"
#include "common/TempFolder.h"
#include "profiles/DefaultProfiles.h"

#include <csignal>
#include <filesystem>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>

namespace zv {
namespace {

using test::readBytes;
using test::TempFolder;
using test::writeBytes;
using Failure = SettingsStatus::Failure;

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
    ::chmod(settings.path().c_str(), 0444);
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
}

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

TEST_F(SettingsFileTest, aFolderWhereTheFileShouldBeIsAReadFailure)
{
    std::filesystem::create_directory(settings.path());
    const SettingsStatus status = settings.ReadINI(table);
    EXPECT_EQ(status.failure, Failure::CannotRead);
    EXPECT_EQ(status.error.code, EISDIR);
    EXPECT_EQ(table, ProfileTable{}); // untouched
}

TEST_F(SettingsFileTest, aMissingConfigurationFolderIsCreatedOnFirstStart)
{
    const SettingsFile nested(folder.file("config/zentrik/Zentrik.ini"));
    ASSERT_TRUE(nested.ReadINI(table).ok());
    EXPECT_EQ(readBytes(nested.path()), settingsFileText(DefaultProfiles()));
}

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

TEST_F(SettingsFileTest, aLongPathIsUsedWhole)
{
    std::string deep = folder.path();
    for (int i = 0; i < 6; ++i)
        deep += "/" + std::string(50, static_cast<char>('a' + i));
    const SettingsFile longPath(deep + "/Zentrik.ini");
    ASSERT_GT(longPath.path().size(), 255u);
    ASSERT_TRUE(longPath.ReadINI(table).ok());
    EXPECT_EQ(readBytes(longPath.path()), settingsFileText(DefaultProfiles()));
}

} // namespace
} // namespace zv
