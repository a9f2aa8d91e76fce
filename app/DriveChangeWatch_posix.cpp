#include "app/DriveChangeWatch.h"

#include "drives/DriveProbe.h"

#include <cerrno>
#include <chrono>
#include <fcntl.h>
#include <poll.h>
#include <thread>
#include <unistd.h>

namespace zv {

namespace {

// A burst of changes (a card brings several mounts) is told once: after a report the waiter
// rests this long before it looks again. It also keeps a descriptor that reports for good
// from spinning the thread.
constexpr std::chrono::milliseconds kRestAfterReport{50};

} // namespace

// The thread and the pipe that tells it to end.
struct DriveChangeWatch::Waiter {
    Waiter(DriveProbe& probe, int mark, const int ends[2]) : stopRead(ends[0]), stopWrite(ends[1])
    {
        thread = std::thread([this, &probe, mark] { run(probe, mark); });
    }
    ~Waiter()
    {
        const char stop = 0;
        while (::write(stopWrite, &stop, 1) < 0 && errno == EINTR) {
        }
        thread.join();
        ::close(stopRead);
        ::close(stopWrite);
    }
    Waiter(const Waiter&) = delete;
    Waiter& operator=(const Waiter&) = delete;

    void run(DriveProbe& probe, int mark) const
    {
        pollfd watched[2] = {{mark, POLLPRI, 0}, {stopRead, POLLIN, 0}};
        for (;;) {
            const int ready = ::poll(watched, 2, -1);
            if (ready < 0 && errno == EINTR)
                continue;
            if (ready > 0 && watched[1].revents != 0)
                return;
            // A failed wait counts as a change: the worst case is one needless read of the table.
            probe.changeSignalled();
            std::this_thread::sleep_for(kRestAfterReport);
        }
    }

    int stopRead;
    int stopWrite;
    std::thread thread;
};

DriveChangeWatch::DriveChangeWatch(DriveProbe& probe)
{
    int ends[2];
    // Without the pipe the handle stays with the probe, which then checks on each poll itself.
    if (::pipe2(ends, O_CLOEXEC) != 0)
        return;
    const int mark = probe.takeChangeHandle();
    if (mark < 0) {
        ::close(ends[0]);
        ::close(ends[1]);
        return;
    }
    waiter_ = std::make_unique<Waiter>(probe, mark, ends);
}

DriveChangeWatch::~DriveChangeWatch() = default;

} // namespace zv
