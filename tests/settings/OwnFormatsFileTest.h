#pragma once

#include "settings/OwnFormatsFile.h"

#include "common/TempFolder.h"

#include <gtest/gtest.h>

#include <cstddef>
#include <filesystem>
#include <iterator>
#include <string>

namespace zv {

// The formats file in a folder of its own, which a test may count the entries of.
class OwnFormatsFileTest : public ::testing::Test {
protected:
    [[nodiscard]] std::size_t filesInFolder() const
    {
        return static_cast<std::size_t>(
            std::distance(std::filesystem::directory_iterator(folder.path()), std::filesystem::directory_iterator()));
    }

    test::TempFolder folder;
    std::string path = folder.file("Zentrik-formats.ini");
};

} // namespace zv
