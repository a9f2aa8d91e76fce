#include "settings/SettingsLocation.h"
#include "common/TempFolder.h"

#include <filesystem>
#include <gtest/gtest.h>

#ifndef _WIN32
#include "common/ScopedUnprivileged.h"

#include <sys/stat.h>
#endif

namespace zv {
namespace {

using test::TempFolder;

TEST(SettingsLocation, besideTheExecutableWhenTheFolderIsWritable)
{
    TempFolder folder;
    EXPECT_EQ(settingsFilePath(folder.path(), "/nonexistent/config"), folder.file("Zentrik.ini"));
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.path()), {}), 0); // probe removed
}

#ifndef _WIN32
// POSIX only: Windows ignores the READONLY attribute of a folder; only access lists, which Wine
// does not enforce, make a program folder unwritable there.
TEST(SettingsLocation, userFolderWhenTheExecutableFolderIsReadOnly)
{
    TempFolder folder;
    ::chmod(folder.path().c_str(), 0555);
    std::string withoutFile;
    std::string withFile;
    std::string withoutHome;
    {
        test::ScopedUnprivileged unprivileged;
        withoutFile = settingsFilePath(folder.path(), "/home/user/.config/Zentrik");
        withoutHome = settingsFilePath(folder.path(), "");
    }
    ::chmod(folder.path().c_str(), 0755);
    test::writeBytes(folder.file("Zentrik.ini"), "");
    ::chmod(folder.path().c_str(), 0555);
    {
        test::ScopedUnprivileged unprivileged;
        withFile = settingsFilePath(folder.path(), "/home/user/.config/Zentrik");
    }
    ::chmod(folder.path().c_str(), 0755);
    EXPECT_EQ(withoutFile, "/home/user/.config/Zentrik/Zentrik.ini");
    EXPECT_EQ(withoutHome, ""); // nowhere to keep it: never a folder at the file system's root
    EXPECT_EQ(withFile, folder.file("Zentrik.ini")); // an existing portable file wins
}
#endif

} // namespace
} // namespace zv
