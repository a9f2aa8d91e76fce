#pragma once

#include <set>
#include <string>
#include <string_view>

namespace zv {

// Where the system itself lives. A disk mounted there is never offered as a camera, even when
// it hangs on a USB bus: a USB disk holding /home must not receive a time file.
[[nodiscard]] bool isSystemMountPoint(std::string_view mountPoint);

// The mount points /etc/fstab mounts at boot (entries without "noauto"): the system's own
// disks. A "noauto" entry is a drive the user mounts when it is there, such as a card reader.
// Lines are fields separated by blanks, "#" starts a comment, "\040" stands for a space.
[[nodiscard]] std::set<std::string> mountedAtBoot(std::string_view fstabText);

} // namespace zv
