#include "OwnFormatsFileTest.h"

#include <chrono>
#include <fcntl.h>
#include <future>
#include <sys/stat.h>
#include <unistd.h>

namespace zv {
namespace {

// Windows has no named pipes in the file system. A pipe must not hold the start in
// open() or in a read that waits for a writer.
TEST_F(OwnFormatsFileTest, aPipeInTheFilesPlaceIsAReadFailureAndNeverBlocks)
{
    ASSERT_EQ(::mkfifo(path.c_str(), 0644), 0);
    auto loading = std::async(std::launch::async, [this] { return loadOwnFormats(path); });
    if (loading.wait_for(std::chrono::seconds(5)) != std::future_status::ready) {
        ADD_FAILURE() << "the load still waits after 5 s";
        const int writer = ::open(path.c_str(), O_WRONLY | O_NONBLOCK); // lets the test end
        if (writer >= 0)
            ::close(writer);
    }
    const OwnFormatsLoad load = loading.get();
    EXPECT_TRUE(load.error.failed());
    EXPECT_TRUE(load.formats.empty());
    EXPECT_TRUE(std::filesystem::is_fifo(path));
}

} // namespace
} // namespace zv
