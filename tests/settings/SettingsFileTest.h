#pragma once

#include "settings/SettingsFile.h"

#include "common/TempFolder.h"

#include <gtest/gtest.h>

#include <cstddef>
#include <filesystem>
#include <iterator>

namespace zv {

// What the system answers when the settings file is a folder; given by each platform's file.
extern const int kFolderOpenedAsFile;

// A settings path as long as this system lets a save use whole; given by each platform's file.
extern const std::size_t kLongSettingsPath;

// Zentrik.ini in a folder of its own, which a test may count the entries of.
class SettingsFileTest : public ::testing::Test {
protected:
    [[nodiscard]] std::size_t filesInFolder() const
    {
        return static_cast<std::size_t>(
            std::distance(std::filesystem::directory_iterator(folder.path()), std::filesystem::directory_iterator()));
    }

    test::TempFolder folder;
    SettingsFile settings{folder.file("Zentrik.ini")};
    ProfileTable table;
};

} // namespace zv
