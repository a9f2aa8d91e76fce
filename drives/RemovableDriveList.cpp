#include "drives/RemovableDriveList.h"

#include "drives/DriveQueries.h"

#include <charconv>

namespace zv {

namespace {

bool isDriveLetterRoot(std::string_view rootPath) { return rootPath.ends_with('\\'); }

} // namespace

std::string driveDisplayText(std::string_view rootPath, std::string_view label)
{
    std::string text(rootPath);
    if (isDriveLetterRoot(rootPath)) {
        text += label;
    } else if (!label.empty() && label != lastPathComponent(rootPath)) {
        text += " [";
        text += label;
        text += ']';
    }
    return text;
}

RemovableDriveList::RemovableDriveList(DriveProbe& probe, std::string& saveDir) : probe_(probe), saveDir_(saveDir) { }

void RemovableDriveList::buildAtCreation() { buildLoop(GetDrivesOfType(probe_, DriveType::Removable)); }

bool RemovableDriveList::poll()
{
    // While the probe's answers stand, a recount would find what the last one found.
    if (lastCountText_ != kNeverCounted && !probe_.answersMayHaveChanged())
        return false;
    const std::size_t count = CountDrivesOfType(probe_, DriveType::Removable);
    bool changed = false;
    if (storeCountText(count)) {
        UpdateFDD();
        changed = true;
    }
    if (count == 0)
        changed = clearAndDisable() || changed;
    return changed;
}

void RemovableDriveList::UpdateFDD()
{
    const std::vector<std::string> roots = GetDrivesOfType(probe_, DriveType::Removable);
    // A changed count would rerun this through the count field's notification; the outcome
    // is the same, so the nested run is left out.
    (void)storeCountText(roots.size());
    if (roots.empty()) {
        (void)clearAndDisable();
        return;
    }
    setButtonEnabled_ = true;
    buildLoop(roots);
}

void RemovableDriveList::choose(int row)
{
    if (row < 0 || static_cast<std::size_t>(row) >= entries_.size())
        return;
    selectedRow_ = row;
    saveDir_ = entries_[static_cast<std::size_t>(row)].rootPath;
}

void RemovableDriveList::buildLoop(const std::vector<std::string>& roots)
{
    entries_.clear();
    selectedRow_ = -1;
    entries_.reserve(roots.size());
    for (const std::string& root : roots) {
        VolumeInformation volume;
        const std::string label = GetVolumeInfo(probe_, root, volume) ? std::move(volume.label) : std::string();
        entries_.push_back({root, label, driveDisplayText(root, label)});
    }
    // SaveDir is only ever set from a row, so an empty build leaves the old one in place.
    if (!entries_.empty())
        choose(0);
}

bool RemovableDriveList::clearAndDisable()
{
    const bool changed = !entries_.empty() || setButtonEnabled_;
    entries_.clear();
    selectedRow_ = -1;
    setButtonEnabled_ = false;
    return changed;
}

bool RemovableDriveList::storeCountText(std::size_t count)
{
    char digits[24];
    const auto end = std::to_chars(digits, digits + sizeof digits, count).ptr;
    const std::string_view text(digits, static_cast<std::size_t>(end - digits));
    if (text == lastCountText_)
        return false;
    lastCountText_.assign(text);
    return true;
}

} // namespace zv
