#include "common/ScopedUnprivileged.h"
#include "common/TempFolder.h"
#include "settings/SettingsLocation.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

namespace zv {
namespace {

using test::TempFolder;

// Windows ignores the READONLY attribute of a folder; only access lists, which Wine
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

} // namespace
} // namespace zv
