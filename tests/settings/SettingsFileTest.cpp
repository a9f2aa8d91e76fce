#include "SettingsFileTest.h"

#include "profiles/DefaultProfiles.h"

#include <filesystem>
#include <set>

namespace zv {
namespace {

using test::readBytes;
using test::TempFolder;
using test::writeBytes;
using Failure = SettingsStatus::Failure;

// Read-only for everyone: permission bits on POSIX, the READONLY attribute on Windows.
void setReadOnly(const std::string& path, bool readOnly)
{
    constexpr auto writeBits = std::filesystem::perms::owner_write | std::filesystem::perms::group_write |
        std::filesystem::perms::others_write;
    std::filesystem::permissions(
        path, writeBits, readOnly ? std::filesystem::perm_options::remove : std::filesystem::perm_options::add);
}

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
    const std::size_t length = kLongSettingsPath;
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
