#pragma once

#include "drives/DriveProbe.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace zv {

// One row of the drive lists: ComboBox1 shows nothing of it but the root path,
// ComboBox2 the display text.
struct DriveEntry {
    std::string rootPath;
    std::string label;
    std::string displayText;
    std::uint64_t identity = 0; // what tells this volume from another at the same root; 0 unknown
    bool hardDisk = false; // never chosen without the user
    std::string fileSystemId; // recognises a card set before; empty when unknown

    friend bool operator==(const DriveEntry&, const DriveEntry&) = default;
};

// Names a drive as the list knows it: the same root with another volume is another drive.
[[nodiscard]] std::string driveKey(const DriveEntry& drive);

// "E:\CAM" for a drive letter; for a mount point, the path, with " [label]" added only when
// the label says something the path does not ("/media/user/CAM/CAM" would read like a folder).
[[nodiscard]] std::string driveDisplayText(std::string_view rootPath, std::string_view label);

// The removable drives the main window offers, and the poll that keeps them current.
// Qt-free: the window mirrors entries() into its two combo boxes and setButtonEnabled()
// into the set button, and does so only when an operation reports a change.
class RemovableDriveList final {
public:
    // `saveDir` is the application's shared SaveDir; the list writes through it.
    RemovableDriveList(DriveProbe& probe, std::string& saveDir);
    RemovableDriveList(const RemovableDriveList&) = delete;
    RemovableDriveList& operator=(const RemovableDriveList&) = delete;

    // The drive part of the window's creation: lists only, no count, no button.
    void buildAtCreation();

    // One work tick. Rebuilds exactly when the removable-drive count's text differs from the
    // last one (always on the first tick), and keeps the lists empty and the button off while
    // there is no drive. True when anything the window shows changed.
    bool poll();

    // The refresh button: re-enumerate and rebuild whatever the count.
    void UpdateFDD();

    // ComboBox2Change: the user picked `row`; SaveDir follows. Rows that do not exist are ignored.
    void choose(int row);

    // Every build keeps the chosen drive chosen while it is still there (the same root and the
    // same volume), so plugging another drive never moves a set to it. Only when it is gone does
    // the first drive that is no hard disk follow; with none such, no row is chosen and set
    // waits for the user's choice.

    [[nodiscard]] const std::vector<DriveEntry>& entries() const { return entries_; }
    [[nodiscard]] int selectedRow() const { return selectedRow_; }
    [[nodiscard]] bool setButtonEnabled() const { return setButtonEnabled_; }
    [[nodiscard]] const std::string& lastCountText() const { return lastCountText_; }

private:
    static constexpr char kNeverCounted[] = "Edit1"; // no count reads like this, so the first poll rebuilds

    void buildLoop(const std::vector<std::string>& roots);
    [[nodiscard]] int rowToChoose() const;
    bool clearAndDisable();
    bool storeCountText(std::size_t count);

    DriveProbe& probe_;
    std::string& saveDir_;
    std::vector<DriveEntry> entries_;
    int selectedRow_ = -1;
    std::optional<DriveEntry> chosen_; // the drive chosen before the last build
    bool setButtonEnabled_ = true; // the button's design state
    std::string lastCountText_{kNeverCounted};
};

} // namespace zv
