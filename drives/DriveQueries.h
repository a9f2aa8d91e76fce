#pragma once

#include "drives/DriveProbe.h"

#include <string>
#include <vector>

namespace zv {

// The roots whose type is `type`, in the probe's order (the "letter set"; its size is the
// drive count). Every candidate is asked on every call; the probe keeps that cheap.
[[nodiscard]] std::vector<std::string> GetDrivesOfType(DriveProbe& probe, DriveType type);

// The size of GetDrivesOfType's answer without copying a root, for the poll of every tick.
[[nodiscard]] std::size_t CountDrivesOfType(DriveProbe& probe, DriveType type);

// The name of a folder path's last component, trailing '/' ignored: "CAM" for "/media/u/CAM/".
// A mount point's name is its label when udev has none, and the display text leaves it out.
[[nodiscard]] std::string_view lastPathComponent(std::string_view path);

// The volume information of `root`. On failure `out` keeps what it held and must not be used.
// A label is cut at its first zero byte and at 259 bytes, as a 260-byte buffer holds it.
[[nodiscard]] bool GetVolumeInfo(DriveProbe& probe, const std::string& root, VolumeInformation& out);

} // namespace zv
