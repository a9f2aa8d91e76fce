#include "ProgramOptionsTest.h"

#include <filesystem>
#include <sys/stat.h>

namespace zv {
namespace {

TEST_F(ProgramOptionsFileTest, aPipeInItsPlaceNeitherHangsNorIsReplaced)
{
    ASSERT_EQ(::mkfifo(path.c_str(), 0600), 0);
    EXPECT_EQ(loadProgramOptions(path), ProgramOptions{});
    EXPECT_TRUE(saveProgramOptions(path, {5}).failed());
    EXPECT_EQ(std::filesystem::symlink_status(path).type(), std::filesystem::file_type::fifo);
}

} // namespace
} // namespace zv
