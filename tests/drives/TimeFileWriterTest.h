#pragma once

#include "drives/TimeFileWriter.h"

#include "common/TempFolder.h"
#include "fakes/FakeDriveProbe.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <set>
#include <string>
#include <string_view>

namespace zv {

// A card plugged at a temporary folder, which the writer writes its time file into.
class TimeFileWriterTest : public ::testing::Test {
protected:
    TimeFileWriterTest() { probe.plug(root(), "CAM"); }

    [[nodiscard]] std::string root() const { return folder.path() + "/"; }

    TimeFileResult write(const std::string& baseName, std::string_view text)
    {
        return writeTimeFile(root(), baseName, text, probe);
    }

    [[nodiscard]] std::set<std::string> filesInRoot() const
    {
        std::set<std::string> names;
        for (const auto& entry : std::filesystem::directory_iterator(folder.path()))
            names.insert(entry.path().filename().string());
        return names;
    }

    static void expectFailure(const TimeFileResult& result, int code, const std::string& text)
    {
        EXPECT_FALSE(result.success);
        EXPECT_EQ(result.code, code);
        EXPECT_EQ(result.text, text);
    }

    test::TempFolder folder;
    test::FakeDriveProbe probe;
};

} // namespace zv
