#include "drives/linux/FakeSystemTree.h"

#include <cstdlib>
#include <fstream>
#include <stdexcept>

namespace zv::test {

namespace fs = std::filesystem;

namespace {

void writeFile(const fs::path& path, std::string_view text)
{
    fs::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary | std::ios::trunc) << text;
}

void replaceLink(const fs::path& link, const fs::path& target)
{
    fs::create_directories(link.parent_path());
    fs::remove(link);
    fs::create_symlink(target, link);
}

} // namespace

FakeSystemTree::FakeSystemTree()
{
    std::string pattern = (fs::temp_directory_path() / "zv-fake-system-XXXXXX").string();
    if (!::mkdtemp(pattern.data()))
        throw std::runtime_error("mkdtemp failed");
    root_ = pattern;
}

FakeSystemTree::~FakeSystemTree()
{
    std::error_code ignored;
    fs::remove_all(root_, ignored);
}

LinuxSystemPaths FakeSystemTree::paths() const
{
    return {(root_ / "proc").string(), (root_ / "sys").string(), (root_ / "dev").string(),
        (root_ / "run/udev").string(), (root_ / "etc/fstab").string()};
}

void FakeSystemTree::writeMountInfo(const std::vector<std::string>& lines) const
{
    std::string text;
    for (const std::string& line : lines)
        text += line + '\n';
    const fs::path table = root_ / "proc/self/mountinfo";
    writeFile(table.string() + ".new", text);
    fs::rename(table.string() + ".new", table);
}

void FakeSystemTree::addDisk(std::string_view devicePath, std::string_view majMin, bool removable) const
{
    setRemovable(devicePath, removable);
    linkBlockNumber(majMin, devicePath);
}

void FakeSystemTree::addPartition(std::string_view diskPath, std::string_view name, std::string_view majMin) const
{
    const std::string partitionPath = std::string(diskPath) + '/' + std::string(name);
    writeFile(devices(partitionPath) / "partition", "1\n");
    linkBlockNumber(majMin, partitionPath);
}

void FakeSystemTree::setRemovable(std::string_view diskPath, bool removable) const
{
    writeFile(devices(diskPath) / "removable", removable ? "1\n" : "0\n");
}

void FakeSystemTree::setSubsystem(std::string_view devicePath, std::string_view bus) const
{
    replaceLink(devices(devicePath) / "subsystem", fs::path("../../bus") / bus);
}

void FakeSystemTree::setScsiType(std::string_view diskPath, std::string_view type) const
{
    writeFile(devices(diskPath) / "device/type", std::string(type) + '\n');
}

void FakeSystemTree::addLabelLink(std::string_view encodedLabel, std::string_view kernelName) const
{
    replaceLink(root_ / "dev/disk/by-label" / encodedLabel, fs::path("../..") / kernelName);
}

void FakeSystemTree::addUuidLink(std::string_view uuid, std::string_view kernelName) const
{
    replaceLink(root_ / "dev/disk/by-uuid" / uuid, fs::path("../..") / kernelName);
}

void FakeSystemTree::writeFstab(std::string_view text) const { writeFile(root_ / "etc/fstab", text); }

void FakeSystemTree::addUdevRecord(std::string_view majMin, std::string_view text) const
{
    writeFile(root_ / "run/udev/data" / ("b" + std::string(majMin)), text);
}

fs::path FakeSystemTree::devices(std::string_view devicePath) const { return root_ / "sys/devices" / devicePath; }

void FakeSystemTree::linkBlockNumber(std::string_view majMin, std::string_view devicePath) const
{
    replaceLink(root_ / "sys/dev/block" / majMin, fs::path("../../devices") / devicePath);
}

} // namespace zv::test
