#include "drives/VolumeSize.h"

#include "common/WideText_win.h"

#include <windows.h>

namespace zv {

namespace {

// An empty card reader must not make Windows ask for a disk. The thread's own mode, as the
// scans of cards run on threads of their own while the windows use theirs.
class QuietThreadErrorMode final {
public:
    QuietThreadErrorMode() { SetThreadErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX, &previous_); }
    ~QuietThreadErrorMode() { SetThreadErrorMode(previous_, nullptr); }
    QuietThreadErrorMode(const QuietThreadErrorMode&) = delete;
    QuietThreadErrorMode& operator=(const QuietThreadErrorMode&) = delete;

private:
    DWORD previous_ = 0;
};

} // namespace

std::optional<std::uint64_t> volumeTotalBytes(const std::string& root)
{
    const QuietThreadErrorMode quiet;
    ULARGE_INTEGER total{};
    if (!GetDiskFreeSpaceExW(widenUtf8(root).c_str(), nullptr, &total, nullptr))
        return std::nullopt;
    return std::uint64_t{total.QuadPart};
}

} // namespace zv
