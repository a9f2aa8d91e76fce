#include "SetCardRecordsTest.h"

#include <filesystem>
#include <sys/stat.h>

namespace zv {
namespace {

using State = TimeFileOnCard::State;
using test::writeBytes;

TEST_F(LookAtTimeFileTest, aLinkOrPipeInItsPlaceIsNotOurFile)
{
    writeBytes(folder.file("elsewhere"), "2027.01.15 10:30:00\r\n");
    std::filesystem::create_symlink(folder.file("elsewhere"), folder.file("TAG.txt"));
    EXPECT_EQ(look().state, State::NotOurFile);
    ASSERT_EQ(::mkfifo(folder.file("PIPE.txt").c_str(), 0600), 0);
    EXPECT_EQ(look("PIPE.txt").state, State::NotOurFile);
}

} // namespace
} // namespace zv
