#include "drives/RemovableDriveList.h"

#include "drives/DriveQueries.h"

#include <algorithm>
#include <charconv>

namespace zv {

namespace {

bool isDriveLetterRoot(std::string_view rootPath) { return rootPath.ends_with('\\'); }

} // namespace

std::string driveKey(const DriveEntry& drive) { return drive.rootPath + '\n' + std::to_string(drive.identity); }

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
    buildLoop(roots);
    setButtonEnabled_ = selectedRow_ >= 0;
}

void RemovableDriveList::choose(int row)
{
    if (row < 0 || static_cast<std::size_t>(row) >= entries_.size())
        return;
    selectedRow_ = row;
    chosen_ = entries_[static_cast<std::size_t>(row)];
    saveDir_ = chosen_->rootPath;
    setButtonEnabled_ = true;
}

void RemovableDriveList::buildLoop(const std::vector<std::string>& roots)
{
    entries_.clear();
    selectedRow_ = -1;
    entries_.reserve(roots.size());
    for (const std::string& root : roots) {
        VolumeInformation volume;
        DriveEntry entry{root, {}, {}, 0, probe_.isHardDisk(root), {}};
        if (GetVolumeInfo(probe_, root, volume)) {
            entry.label = std::move(volume.label);
            entry.identity = volume.identity;
            entry.fileSystemId = std::move(volume.fileSystemId);
        }
        entry.displayText = driveDisplayText(root, entry.label);
        entries_.push_back(std::move(entry));
    }
    // SaveDir is only ever set from a row, so a build without a row to choose leaves the old one.
    const int row = rowToChoose();
    const bool buttonState = setButtonEnabled_; // the creation build leaves the button alone
    chosen_.reset();
    choose(row);
    setButtonEnabled_ = buttonState;
}

int RemovableDriveList::rowToChoose() const
{
    const auto rowWhere = [this](const auto& wanted) {
        const auto found = std::find_if(entries_.begin(), entries_.end(), wanted);
        return found == entries_.end() ? -1 : static_cast<int>(found - entries_.begin());
    };
    if (chosen_) {
        const int kept = rowWhere([this](const DriveEntry& entry) {
            return entry.rootPath == chosen_->rootPath && entry.identity == chosen_->identity;
        });
        if (kept >= 0)
            return kept;
    }
    return rowWhere([](const DriveEntry& entry) { return !entry.hardDisk; });
}

bool RemovableDriveList::clearAndDisable()
{
    const bool changed = !entries_.empty() || setButtonEnabled_;
    entries_.clear();
    selectedRow_ = -1;
    chosen_.reset();
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
