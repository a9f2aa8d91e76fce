#include "drives/MountInfo.h"

#include <gtest/gtest.h>

namespace zv {
namespace {

std::string joinLines(const std::vector<std::string>& lines)
{
    std::string text;
    for (const std::string& line : lines)
        text += line + '\n';
    return text;
}

// "mount point|root|fs type" of each entry: short to write, and shows what went where.
std::vector<std::string> summaries(const std::vector<MountInfoEntry>& entries)
{
    std::vector<std::string> out;
    for (const MountInfoEntry& e : entries)
        out.push_back(e.mountPoint + '|' + e.root + '|' + e.fsType);
    return out;
}

TEST(MountInfo, parsesEveryFieldPastTheOptionalOnes)
{
    const auto entries = parseMountInfo(
        "36 35 98:0 /mnt1 /mnt/parent rw,noatime master:1 shared:7 - ext3 /dev/root rw,errors=continue\n");
    ASSERT_EQ(entries.size(), 1u);
    const MountInfoEntry& e = entries[0];
    EXPECT_EQ(e.mountId, 36u);
    EXPECT_EQ(e.parentId, 35u);
    EXPECT_EQ(e.major, 98u);
    EXPECT_EQ(e.minor, 0u);
    EXPECT_EQ(e.root, "/mnt1");
    EXPECT_EQ(e.mountPoint, "/mnt/parent");
    EXPECT_EQ(e.fsType, "ext3");
    EXPECT_EQ(e.source, "/dev/root");
}

TEST(MountInfo, decodesTheKernelsOctalEscapesOnly)
{
    const std::pair<std::string_view, std::string_view> cases[] = {
        {"/media/My\\040Card", "/media/My Card"}, {"a\\011b\\012c\\134d", "a\tb\nc\\d"}, // tab, newline, backslash
        {"\\1341", "\\1"}, // one escape, then a plain digit
        {"\\04", "\\04"}, // too short
        {"end\\", "end\\"}, // a backslash at the end
        {"\\400", "\\400"}, // more than a byte
        {"\\08x", "\\08x"}, // 8 is no octal digit
        {"\\320\\244", "\320\244"}, // non-ASCII bytes
    };
    for (const auto& [field, decoded] : cases)
        EXPECT_EQ(decodeMountInfoEscapes(field), decoded) << field;
}

TEST(MountInfo, skipsMalformedLinesAndKeepsTheirNeighbours)
{
    const std::string before = "1 0 8:1 / / rw - ext4 /dev/sda1 rw";
    const std::string after = "3 1 0:5 / /run rw - tmpfs tmpfs rw";
    const std::string_view malformed[] = {
        "", "garbage",
        "2 1 8:2 / /a rw ext4 /dev/sda2 rw", // no separator
        "2 1 8:2 / /a rw - ext4 /dev/sda2", // too few fields after it
        "x 1 8:2 / /a rw - ext4 /dev/sda2 rw", // id not a number
        "-2 1 8:2 / /a rw - ext4 /dev/sda2 rw",
        "2 1 8-2 / /a rw - ext4 /dev/sda2 rw", // MAJ:MIN without colon
        "2 1 8: / /a rw - ext4 /dev/sda2 rw",
        "2 1 4294967296:0 / /a rw - ext4 /dev/sda2 rw", // major overflows
        "2 1 8:2 / a rw - ext4 /dev/sda2 rw", // relative mount point
        "2 1 8:2 / /a\\000b rw - ext4 /dev/sda2 rw", // zero byte in the path
        "2 1 8:2 / /a rw -  /dev/sda2 rw", // empty type
        "2  1 8:2 / /a rw - ext4 /dev/sda2 rw", // doubled space shifts the fields
    };
    for (const std::string_view line : malformed) {
        const auto entries = parseMountInfo(before + '\n' + std::string(line) + '\n' + after + '\n');
        EXPECT_EQ(summaries(entries), (std::vector<std::string>{"/|/|ext4", "/run|/|tmpfs"})) << '"' << line << '"';
    }
}

TEST(MountInfo, acceptsAnEmptySourceAndALastLineWithoutLineBreak)
{
    const auto entries = parseMountInfo("5 1 0:9 / /x rw - tmpfs  rw\n6 1 0:10 / /y rw - tmpfs y rw");
    ASSERT_EQ(entries.size(), 2u);
    EXPECT_EQ(entries[0].source, "");
    EXPECT_EQ(entries[1].mountPoint, "/y");
}

TEST(MountInfo, visibleMountsFoldBindsDropHiddenMountsAndSortByPath)
{
    struct Case {
        std::string_view name;
        std::vector<std::string> lines;
        std::vector<std::string> expected;
    };
    const Case cases[] = {
        {"sorted by the path's bytes",
            {"1 0 0:1 / /b rw - tmpfs t rw", "2 0 0:2 / /a\\040b rw - tmpfs t rw", "3 0 0:3 / /a rw - tmpfs t rw",
                "4 0 0:4 / /\\303\\251 rw - tmpfs t rw", "5 0 0:5 / /B rw - tmpfs t rw"},
            {"/B|/|tmpfs", "/a|/|tmpfs", "/a b|/|tmpfs", "/b|/|tmpfs", "/\303\251|/|tmpfs"}},
        {"the later mount on a mount point lies on top",
            {"1 0 8:1 / /mnt rw - vfat a rw", "2 0 0:9 / /mnt rw - tmpfs b rw"}, {"/mnt|/|tmpfs"}},
        {"a bind before the whole file system folds into it",
            {"1 0 8:17 /DCIM /home/dcim rw - vfat a rw", "2 0 8:17 / /media/CARD rw - vfat a rw"},
            {"/media/CARD|/|vfat"}},
        {"a bind after the whole file system folds into it",
            {"1 0 8:17 / /media/CARD rw - vfat a rw", "2 0 8:17 /DCIM /a rw - vfat a rw"}, {"/media/CARD|/|vfat"}},
        {"without the whole file system the first bind stays",
            {"1 0 8:17 /b /z rw - vfat a rw", "2 0 8:17 /a /y rw - vfat a rw"}, {"/z|/b|vfat"}},
        {"a device hidden at its only mount point is gone, not folded",
            {"1 0 8:17 / /m rw - vfat a rw", "2 0 0:9 / /m rw - tmpfs b rw", "3 0 8:17 /x /n rw - vfat a rw"},
            {"/m|/|tmpfs", "/n|/x|vfat"}},
        {"same root on other devices is kept", {"1 0 8:1 / /a rw - ext4 a rw", "2 0 8:2 / /b rw - ext4 b rw"},
            {"/a|/|ext4", "/b|/|ext4"}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(summaries(visibleMounts(parseMountInfo(joinLines(c.lines)))), c.expected) << c.name;
}

} // namespace
} // namespace zv
