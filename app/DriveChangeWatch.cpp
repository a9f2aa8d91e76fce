#include "app/DriveChangeWatch.h"

#include "drives/DriveProbe.h"

namespace zv {

DriveChangeWatch::DriveChangeWatch(DriveProbe& probe)
{
    const int handle = probe.takeChangeHandle();
    if (handle < 0)
        return;
    notifier_ = std::make_unique<QSocketNotifier>(handle, QSocketNotifier::Exception);
    QObject::connect(notifier_.get(), &QSocketNotifier::activated, [&probe] { probe.changeSignalled(); });
}

} // namespace zv
