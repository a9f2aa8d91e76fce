#pragma once

#include "settings/ProgramOptions.h"

#include "common/TempFolder.h"

#include <gtest/gtest.h>

#include <string>

namespace zv {

// The options file in a folder of its own.
class ProgramOptionsFileTest : public ::testing::Test {
protected:
    test::TempFolder folder;
    std::string path = folder.file(kProgramOptionsFileName);
};

} // namespace zv
