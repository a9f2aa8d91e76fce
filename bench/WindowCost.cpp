// What the program costs while it sits on the screen: both windows shown, the real clock and
// drive probe, the real event loop. Beside it, the floor: a bare Qt program with two empty
// 1 ms timers. Run by window_cost.sh under Xvfb; prints one "name value" line per reading.
//
//   window_cost program SECONDS   start-up to first paint, paints per second, CPU, memory
//   window_cost bare SECONDS      start-up to first paint of an empty window, CPU of two empty
//                                 1 ms timers
#include "app/CardEjector.h"
#include "app/DriveChangeWatch.h"
#include "app/SystemSeams.h"
#include "app/WindowSet.h"
#include "app/ZentrikApplication.h"
#include "common/UserLanguage.h"
#include "drives/DriveProbe.h"
#include "ui/common/AppContext.h"
#include "ui/main/Unit1.h"
#include "ui/settings/Unit4.h"

#include <QElapsedTimer>
#include <QEvent>
#include <QTemporaryDir>
#include <QTimer>
#include <QWidget>

#include <sys/resource.h>
#include <unistd.h>

#include <cstdio>
#include <cstring>
#include <ctime>
#include <fstream>
#include <iterator>
#include <map>
#include <sstream>
#include <string>

namespace {

double cpuSeconds()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    const auto seconds = [](const timeval& t) { return static_cast<double>(t.tv_sec) + t.tv_usec / 1e6; };
    return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

long residentKilobytes()
{
    std::ifstream status("/proc/self/status");
    for (std::string line; std::getline(status, line);)
        if (line.rfind("VmRSS:", 0) == 0)
            return std::stol(line.substr(6));
    return -1;
}

// How long this process has existed, from the kernel's start time (10 ms steps): start-up
// measured this way includes loading the program and its libraries.
double processAgeMs()
{
    std::ifstream stat("/proc/self/stat");
    std::string text((std::istreambuf_iterator<char>(stat)), std::istreambuf_iterator<char>());
    std::istringstream fields(text.substr(text.rfind(')') + 2));
    std::string field;
    for (int i = 3; i <= 22 && fields >> field; ++i) {
    } // field 22 is the start time in ticks
    timespec now{};
    clock_gettime(CLOCK_BOOTTIME, &now);
    const double startedMs = std::stod(field) * 1000.0 / static_cast<double>(sysconf(_SC_CLK_TCK));
    return static_cast<double>(now.tv_sec) * 1000.0 + static_cast<double>(now.tv_nsec) / 1e6 - startedMs;
}

QString windowOf(QObject* target)
{
    auto* widget = qobject_cast<QWidget*>(target);
    return widget != nullptr ? widget->window()->objectName() : QString();
}

// Counts paint events of every widget, and notes when the window named `first` first painted.
class PaintCounter final : public QObject {
public:
    PaintCounter(const QElapsedTimer& sinceStart, QLatin1String first) : sinceStart_(sinceStart), first_(first) { }

    bool eventFilter(QObject* target, QEvent* event) override
    {
        if (event->type() == QEvent::Paint) {
            ++paints;
            if (detail_)
                ++byName[(windowOf(target) + QLatin1Char('/') + target->objectName()).toStdString()];
            if (firstMainPaintMs < 0 && target->objectName() == first_) {
                firstMainPaintMs = sinceStart_.nsecsElapsed() / 1e6;
                processAgeAtFirstPaintMs = processAgeMs();
            }
        }
        return false;
    }

    long paints = 0;
    std::map<std::string, long> byName; // with ZV_PAINT_DETAIL set: which widgets paint
    double firstMainPaintMs = -1;
    double processAgeAtFirstPaintMs = -1;

private:
    const QElapsedTimer& sinceStart_;
    const QLatin1String first_;
    const bool detail_ = qEnvironmentVariableIsSet("ZV_PAINT_DETAIL");
};

// Runs the loop for `seconds` after a one-second warm-up and reports CPU per second of it.
template <typename Report> void measure(int seconds, Report report)
{
    QTimer::singleShot(1000, [seconds, report] {
        const double cpuStart = cpuSeconds();
        QTimer::singleShot(seconds * 1000, [cpuStart, seconds, report] {
            report((cpuSeconds() - cpuStart) / seconds);
            QCoreApplication::quit();
        });
    });
}

int bare(int argc, char** argv, int seconds, const QElapsedTimer& sinceStart)
{
    QApplication application(argc, argv);
    // An empty window, for the start's floor: what any Qt window costs to reach the screen.
    PaintCounter counter(sinceStart, QLatin1String("bare"));
    application.installEventFilter(&counter);
    QWidget window;
    window.setObjectName(QStringLiteral("bare"));
    window.setWindowTitle(QStringLiteral("bare"));
    window.resize(200, 100);
    window.show();
    QTimer first;
    QTimer second;
    for (QTimer* timer : {&first, &second}) {
        timer->setTimerType(Qt::PreciseTimer);
        QObject::connect(timer, &QTimer::timeout, [] {});
        timer->start(1);
    }
    measure(seconds, [&counter](double cpu) {
        std::printf("bare_start_to_painted_ms %.1f\n", counter.processAgeAtFirstPaintMs);
        std::printf("bare_cpu_share %.4f\n", cpu);
    });
    return QApplication::exec();
}

int program(int argc, char** argv, int seconds, const QElapsedTimer& sinceStart)
{
    zv::ZentrikApplication application(argc, argv);
    PaintCounter counter(sinceStart, QLatin1String("TForm1"));
    application.installEventFilter(&counter);
    QTemporaryDir settingsFolder;

    zv::SystemClock clock;
    zv::SystemAddressOpener opener;
    const std::unique_ptr<zv::DriveProbe> probe = zv::makeSystemDriveProbe();
    const zv::DriveChangeWatch driveChanges(*probe);
    const std::unique_ptr<zv::CardEjector> ejector = zv::makeSystemCardEjector();
    zv::AppContext context(zv::Seams{clock, opener, *probe, &zv::userDefaultLanguageId,
        settingsFolder.filePath(QStringLiteral("Zentrik.ini")).toStdString(), *ejector,
        settingsFolder.filePath(QStringLiteral("set-cards")).toStdString()});
    zv::WindowSet windows(context);
    windows.main().show();
    windows.settings().show();

    long paintsAtStart = 0;
    QTimer::singleShot(1000, [&] { paintsAtStart = counter.paints; });
    QTimer::singleShot(5000, [] { std::printf("resident_mb_after_5s %.1f\n", residentKilobytes() / 1024.0); });
    measure(seconds, [&](double cpu) {
        std::printf("main_entry_to_main_painted_ms %.1f\n", counter.firstMainPaintMs);
        std::printf("start_to_main_painted_ms %.1f\n", counter.processAgeAtFirstPaintMs);
        std::printf("program_cpu_share %.4f\n", cpu);
        std::printf("paints_per_second %.1f\n", static_cast<double>(counter.paints - paintsAtStart) / seconds);
        for (const auto& [name, count] : counter.byName)
            std::fprintf(stderr, "  painted %s %ld\n", name.c_str(), count);
    });
    return zv::ZentrikApplication::exec();
}

} // namespace

int main(int argc, char** argv)
{
    QElapsedTimer sinceStart;
    sinceStart.start();
    const int seconds = argc > 2 ? std::atoi(argv[2]) : 10;
    if (argc > 1 && std::strcmp(argv[1], "bare") == 0)
        return bare(argc, argv, seconds, sinceStart);
    if (argc > 1 && std::strcmp(argv[1], "program") == 0)
        return program(argc, argv, seconds, sinceStart);
    std::fprintf(stderr, "usage: window_cost program|bare SECONDS\n");
    return 2;
}
