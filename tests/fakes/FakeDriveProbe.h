#pragma once

#include "drives/DriveProbe.h"

#include <atomic>
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace zv::test {

// A drive probe over a table of roots, in the table's (sorted) order. Counts its calls so a
// test can prove what a poll does and does not ask.
class FakeDriveProbe final : public DriveProbe {
public:
    struct Drive {
        DriveType type = DriveType::Removable;
        std::optional<VolumeInformation> volume; // none: the medium cannot be read
        bool hardDisk = false;
    };

    // A drive with a readable volume of that label; `identity` tells two volumes at one root apart.
    void plug(const std::string& root, const std::string& label, DriveType type = DriveType::Removable,
        std::uint64_t identity = 0)
    {
        VolumeInformation volume;
        volume.label = label;
        volume.fileSystemName = "FAT32";
        volume.identity = identity;
        put(root, {type, volume});
    }

    // A USB hard disk: removable by its bus, a hard disk by its own word.
    void plugHardDisk(const std::string& root, const std::string& label)
    {
        plug(root, label);
        drives_[root].hardDisk = true;
    }

    // A removable root whose volume information fails, as an empty card-reader slot.
    void plugWithoutMedium(const std::string& root) { put(root, {DriveType::Removable, std::nullopt}); }

    void unplug(const std::string& root)
    {
        drives_.erase(root);
        rebuildRoots();
    }

    const std::vector<std::string>& candidateRoots() override
    {
        ++candidateRootsCalls;
        changedSinceAsked_ = false;
        return roots_;
    }

    // Like a real probe that watches for changes, when the test asks for it.
    bool answersMayHaveChanged() override { return !tellsChanges || changedSinceAsked_; }

    DriveType driveType(const std::string& root) override
    {
        ++driveTypeCalls;
        const auto found = drives_.find(root);
        return found == drives_.end() ? DriveType::NoRootDirectory : found->second.type;
    }

    bool volumeInformation(const std::string& root, VolumeInformation& out) override
    {
        ++volumeInformationCalls;
        const auto found = drives_.find(root);
        if (found == drives_.end() || !found->second.volume)
            return false;
        out = *found->second.volume;
        return true;
    }

    bool isHardDisk(const std::string& root) override
    {
        const auto found = drives_.find(root);
        return found != drives_.end() && found->second.hardDisk;
    }

    // A plugged removable root, unless the test decides otherwise: a card pulled between the
    // poll and the press is a "no" here while its folder is still on disk.
    bool isRemovableRootNow(const std::string& root, std::uint64_t device) override
    {
        askedDevice = device;
        if (removableRootNow)
            return *removableRootNow;
        const auto found = drives_.find(root);
        return found != drives_.end() && found->second.type == DriveType::Removable;
    }

    int takeChangeHandle() override { return changeHandle; }
    void changeSignalled() override { ++changesSignalled; }

    std::optional<bool> removableRootNow; // the answer of isRemovableRootNow(), when set
    std::optional<std::uint64_t> askedDevice; // the device isRemovableRootNow() was last given
    int candidateRootsCalls = 0;
    int driveTypeCalls = 0;
    int volumeInformationCalls = 0;
    bool tellsChanges = false; // else it says "may have changed" on every poll
    int changeHandle = -1; // the descriptor handed out to be watched for changes
    std::atomic<int> changesSignalled = 0;

private:
    void put(const std::string& root, Drive drive)
    {
        drives_[root] = std::move(drive);
        rebuildRoots();
    }

    void rebuildRoots()
    {
        changedSinceAsked_ = true;
        roots_.clear();
        for (const auto& entry : drives_)
            roots_.push_back(entry.first);
    }

    std::map<std::string, Drive> drives_;
    std::vector<std::string> roots_;
    bool changedSinceAsked_ = true;
};

} // namespace zv::test
