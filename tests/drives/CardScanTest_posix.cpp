#include "CardScanTest.h"

#include <filesystem>
#include <sys/stat.h>

namespace zv {

const std::size_t kHugeFolderFiles = 100'000;

namespace {

namespace fs = std::filesystem;

TEST_F(CardScanTest, linksAreNotFollowedAndPipesNotOpened)
{
    putFile("DCIM/VID0001.AVI", 2'000);
    const fs::path outside = fs::path(card.path()) / "outside";
    fs::create_directories(outside);
    std::fclose(std::fopen((outside / "far.avi").string().c_str(), "wb")); // modified now
    fs::create_directory_symlink(outside, root() / "LINKED");
    fs::create_symlink(outside / "far.avi", root() / "far.avi");
    fs::create_symlink(root() / "LOOP", root() / "LOOP");
    ASSERT_EQ(::mkfifo((root() / "DCIM" / "PIPE").c_str(), 0600), 0);

    EXPECT_EQ(scan(), (CardContents{2'000, 1, true}));
}

} // namespace
} // namespace zv
