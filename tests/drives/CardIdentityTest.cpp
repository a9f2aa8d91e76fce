#include "drives/CardIdentity.h"
#include "drives/VolumeSize.h"

#include "common/TempFolder.h"

#include <gtest/gtest.h>

namespace zv {
namespace {

TEST(CardIdentity, comesFromTheFileSystemIdElseFromSizeAndLabel)
{
    const struct {
        std::string_view id;
        std::string_view label;
        std::optional<std::uint64_t> size;
        std::string_view identity;
    } cases[] = {
        {"1234-ABCD", "CAM", 8'000'000'000, "fs:1234-ABCD"},
        {" 1234-abcd\n", "", std::nullopt, "fs:1234-ABCD"},
        {"0a1b2c3d-4e5f-6789-abcd-ef0123456789", "", std::nullopt, "fs:0A1B2C3D-4E5F-6789-ABCD-EF0123456789"},
        {"12%4\t", "", std::nullopt, "fs:12%254"},
        {"", "CAM", 8'000'000'000, "size:8000000000:CAM"},
        {"0000-0000", "CAM", 8'000'000'000, "size:8000000000:CAM"}, // zeros identify nothing
        {"  ", "", 8'000'000'000, "size:8000000000:"},
        {"", "A:B\r\nC%", 42, "size:42:A:B%0D%0AC%25"},
        {"", "\xD0\x9A\xD0\x90\xD0\x9C", 42, "size:42:\xD0\x9A\xD0\x90\xD0\x9C"},
        {"", "CAM", 0, ""},
        {"", "CAM", std::nullopt, ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(cardIdentity(c.id, c.label, c.size), c.identity) << c.id << " / " << c.label;
}

TEST(CardIdentity, aVolumeSerialIsWrittenAsUdevWritesAFatUuid)
{
    EXPECT_EQ(volumeSerialText(0x1234ABCDu), "1234-ABCD");
    EXPECT_EQ(volumeSerialText(0x000F0001u), "000F-0001");
    EXPECT_EQ(cardIdentity(volumeSerialText(0), "CAM", 42), "size:42:CAM");
}

TEST(VolumeTotalBytes, tellsTheSizeOfARealFileSystemAndNothingOfAMissingOne)
{
    const test::TempFolder folder;
    const auto size = volumeTotalBytes(folder.path() + test::TempFolder::kSeparator);
    ASSERT_TRUE(size);
    EXPECT_GT(*size, 0u);
    EXPECT_FALSE(volumeTotalBytes(folder.file("missing") + test::TempFolder::kSeparator));
}

} // namespace
} // namespace zv
