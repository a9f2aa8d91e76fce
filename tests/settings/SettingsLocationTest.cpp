#include "settings/SettingsLocation.h"
#include "common/TempFolder.h"

#include <filesystem>
#include <gtest/gtest.h>

namespace zv {
namespace {

using test::TempFolder;

TEST(SettingsLocation, theProgramsOwnFilesLieBesideZentrikIniOrNowhere)
{
    TempFolder folder;
    EXPECT_EQ(
        besideSettingsFile(folder.file("Zentrik.ini"), "Zentrik-options.ini"), folder.file("Zentrik-options.ini"));
    EXPECT_EQ(besideSettingsFile("", "Zentrik-options.ini"), "");
}

TEST(SettingsLocation, besideTheExecutableWhenTheFolderIsWritable)
{
    TempFolder folder;
    EXPECT_EQ(settingsFilePath(folder.path(), "/nonexistent/config"), folder.file("Zentrik.ini"));
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.path()), {}), 0); // probe removed
}

} // namespace
} // namespace zv
