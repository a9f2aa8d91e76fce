#pragma once

#include "drives/CardScan.h"

#include "common/TempFolder.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <stop_token>
#include <string>
#include <string_view>

namespace zv {

// How many files make a folder huge enough to end a scan at its limit; given by each platform's
// file, as making them costs very differently there.
extern const std::size_t kHugeFolderFiles;

// A card's root in a temporary folder, and files put on it at chosen times.
class CardScanTest : public ::testing::Test {
protected:
    static constexpr std::string_view kTimeFile = "TAG.txt";

    // A file at `relative` below the card's root, modified at `seconds` since the epoch.
    void putFile(const std::filesystem::path& relative, std::int64_t seconds = 1'600'000'000) const
    {
        const std::filesystem::path path = root() / relative;
        std::filesystem::create_directories(path.parent_path());
        std::FILE* file = std::fopen(path.string().c_str(), "wb");
        ASSERT_NE(file, nullptr) << path;
        std::fclose(file);
        const std::chrono::sys_seconds time{std::chrono::seconds{seconds}};
        std::filesystem::last_write_time(path, std::chrono::file_clock::from_sys(time));
    }

    // `count` regular files in `folder`, made as hard links, which takes a fraction of the time
    // new files take; a file keeps below the 1024 names NTFS allows it.
    void putFiles(const std::filesystem::path& folder, std::size_t count) const
    {
        constexpr std::size_t kNamesPerFile = 1000;
        std::filesystem::create_directories(root() / folder);
        std::filesystem::path first;
        const std::filesystem::path place = root() / folder;
        for (std::size_t i = 0; i < count; ++i) {
            const std::filesystem::path name = std::to_string(i);
            if (i % kNamesPerFile == 0) {
                putFile(folder / name);
                first = place / name;
            } else {
                std::filesystem::create_hard_link(first, place / name);
            }
        }
    }

    [[nodiscard]] std::filesystem::path root() const { return std::filesystem::path(card.path()) / "card"; }
    [[nodiscard]] std::string rootText() const { return root().string() + test::TempFolder::kSeparator; }
    [[nodiscard]] CardContents scan(const std::stop_token& stop = {}) const
    {
        return scanCard(rootText(), std::string(kTimeFile), stop);
    }

    test::TempFolder card;
};

} // namespace zv
