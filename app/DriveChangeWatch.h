#pragma once

#include <memory>

namespace zv {

class DriveProbe;

// Waits, on a thread of its own, for the system to report that the drives may have changed,
// so the 1 ms drive poll asks the system nothing while they stay as they are. The event loop
// does not watch the report itself: it polls its descriptors a thousand times a second, and
// the kernel's check of the mount table would be the dearest part of each of those polls.
// Does nothing for a probe that has no descriptor to watch.
class DriveChangeWatch final {
public:
    explicit DriveChangeWatch(DriveProbe& probe);
    ~DriveChangeWatch();
    DriveChangeWatch(const DriveChangeWatch&) = delete;
    DriveChangeWatch& operator=(const DriveChangeWatch&) = delete;

private:
    struct Waiter;
    std::unique_ptr<Waiter> waiter_;
};

} // namespace zv
