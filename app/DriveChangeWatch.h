#pragma once

#include <QSocketNotifier>

#include <memory>

namespace zv {

class DriveProbe;

// Lets the event loop, which polls its descriptors anyway, notice that the drives may have
// changed, so the 1 ms drive poll asks the system nothing while they stay as they are.
// Does nothing for a probe that has no descriptor to watch.
class DriveChangeWatch final {
public:
    explicit DriveChangeWatch(DriveProbe& probe);

private:
    std::unique_ptr<QSocketNotifier> notifier_;
};

} // namespace zv
