// Feeds arbitrary bytes to the mountinfo parser and the folding of its entries. The kernel
// writes the table, but the probe must survive a table it does not expect.
#include "drives/MountInfo.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const auto entries = zv::parseMountInfo(text);
    const std::size_t parsed = entries.size();
    for (const zv::MountInfoEntry& entry : entries) {
        // Every accepted entry is a usable absolute path, as the probe relies on.
        if (entry.mountPoint.empty() || entry.mountPoint.front() != '/' ||
            entry.mountPoint.find('\0') != std::string::npos)
            std::abort();
    }
    const auto visible = zv::visibleMounts(entries);
    if (visible.size() > parsed)
        std::abort();
    for (std::size_t i = 1; i < visible.size(); ++i) {
        if (!(visible[i - 1].mountPoint < visible[i].mountPoint))
            std::abort();
    }
    (void)zv::decodeMountInfoEscapes(text);
    return 0;
}
