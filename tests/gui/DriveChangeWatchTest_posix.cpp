// The drive change watch on POSIX, over the probe's descriptor; Windows probes have none to watch.
#include "GuiHarness.h"

#include "app/DriveChangeWatch.h"

#include <QTest>

#include <chrono>
#include <sys/socket.h>
#include <thread>
#include <unistd.h>

using namespace zv;
using namespace zv::test;

class DriveChangeWatchPosixTest : public QObject {
    Q_OBJECT

private slots:
    void aDriveChangeIsToldFromTheWatchersThreadUntilItEnds();
};

// The watcher tells a report without the event loop, does not spin on a descriptor that
// reports for good, and ends when it is destroyed (else this test hangs).
void DriveChangeWatchPosixTest::aDriveChangeIsToldFromTheWatchersThreadUntilItEnds()
{
    int ends[2];
    QCOMPARE(::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, ends), 0);
    test::FakeDriveProbe probe;
    probe.changeHandle = ends[0];
    {
        const DriveChangeWatch watch(probe);
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
        QCOMPARE(probe.changesSignalled.load(), 0);
        ::close(ends[1]); // the other end hangs up: the descriptor now reports, and keeps reporting
        QTRY_VERIFY(probe.changesSignalled.load() > 0);
        // It rests between reports: 300 ms hold a handful, however busy the machine is.
        const int first = probe.changesSignalled.load();
        std::this_thread::sleep_for(std::chrono::milliseconds(300));
        QVERIFY2(probe.changesSignalled.load() - first <= 8, "a lasting report spins the watcher");
    }
    const int told = probe.changesSignalled.load();
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    QCOMPARE(probe.changesSignalled.load(), told);
    ::close(ends[0]);
}

QTEST_MAIN(DriveChangeWatchPosixTest)
#include "DriveChangeWatchTest_posix.moc"
