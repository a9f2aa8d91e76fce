#include "common/Paths.h"
#include "common/CappedFile.h"
#include "common/FileHandle.h"

#include "common/TempFolder.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <random>

namespace zv {
namespace {

namespace fs = std::filesystem;

using test::TempFolder;
using test::writeBytes;

std::string sep() { return std::string(1, TempFolder::kSeparator); }

TEST(CreateParentFolders, createsTheWholeMissingChainAndAcceptsAnExistingOne)
{
    const TempFolder folder;
    const std::string file = folder.path() + sep() + "state" + sep() + "zentrik" + sep() + "records";
    ASSERT_FALSE(createParentFolders(file).failed());
    EXPECT_TRUE(fs::is_directory(fs::path(file).parent_path()));
    EXPECT_FALSE(fs::exists(file));
    EXPECT_FALSE(createParentFolders(file).failed());
}

TEST(CreateParentFolders, neverStartsANewFolderInAFileSystemsRoot)
{
    const TempFolder folder;
    // A name that is surely not in the root, with the chain below it missing too.
    const fs::path root = fs::path(folder.path()).root_path();
    const std::string top = "zentrik-no-such-folder-" + std::to_string(std::random_device()() % 1000000);
    const std::string file = (root / top / "state" / "records").string();
    ASSERT_FALSE(fs::exists(root / top));
    EXPECT_TRUE(createParentFolders(file).failed());
    EXPECT_FALSE(fs::exists(root / top));

    EXPECT_TRUE(createParentFolders("relative" + sep() + "records").failed());
    EXPECT_FALSE(fs::exists("relative"));
}

TEST(CreateParentFolders, aFolderNamedInCyrillicGetsThatName)
{
    const TempFolder folder;
    const std::string name = "\xD0\x98\xD0\xB2\xD0\xB0\xD0\xBD"; // "Иван" in UTF-8
    ASSERT_FALSE(createParentFolders(folder.path() + sep() + name + sep() + "records").failed());
    EXPECT_TRUE(fs::is_directory(pathFromUtf8(folder.path() + sep() + name)));
    EXPECT_EQ(utf8FromPath(pathFromUtf8(name)), name);
}

TEST(ReadCappedFile, readsAFileUpToTheCapAndRefusesALongerOne)
{
    const TempFolder folder;
    const std::string path = folder.file("file");
    std::string bytes = "kept";
    for (const std::size_t size :
        {std::size_t{0}, std::size_t{1}, std::size_t{4095}, std::size_t{4096}, std::size_t{4097}, std::size_t{10000}}) {
        writeBytes(path, std::string(size, 'a'));
        const SystemError error = readCappedFile(path, 4096, bytes);
        if (size <= 4096) {
            EXPECT_FALSE(error.failed()) << size;
            EXPECT_EQ(bytes.size(), size);
        } else {
            EXPECT_EQ(error.code, fileTooLargeErrorCode()) << size;
            EXPECT_EQ(bytes.size(), 4096u) << "a failed read leaves the bytes as they were";
        }
    }
    EXPECT_TRUE(readCappedFile(folder.path(), 4096, bytes).failed());
    EXPECT_TRUE(readCappedFile(folder.file("missing"), 4096, bytes).failed());
}

} // namespace
} // namespace zv
