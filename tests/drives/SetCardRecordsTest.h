#pragma once

#include "drives/TimeFileOnCard.h"

#include "common/TempFolder.h"
#include "fakes/FakeDriveProbe.h"

#include <gtest/gtest.h>

#include <string>

namespace zv {

// A card plugged at a temporary folder, whose time file a test looks at.
class LookAtTimeFileTest : public ::testing::Test {
protected:
    LookAtTimeFileTest() { probe.plug(root(), "CAM"); }

    [[nodiscard]] std::string root() const { return folder.path() + test::TempFolder::kSeparator; }
    [[nodiscard]] TimeFileOnCard look(const std::string& name = "TAG.txt")
    {
        return lookAtTimeFile(root(), name, probe);
    }

    test::TempFolder folder;
    test::FakeDriveProbe probe;
};

} // namespace zv
