#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace zv {

// The total size in bytes of the file system whose root is `root` ("E:\", "/media/u/CAM/");
// none when the system cannot tell, as for an empty card reader. Asks the file system, not the
// files on it, so it costs no more on a full card than on an empty one.
[[nodiscard]] std::optional<std::uint64_t> volumeTotalBytes(const std::string& root);

} // namespace zv
