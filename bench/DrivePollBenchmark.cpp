// The drive poll of every work tick and a full rebuild, with the real Linux probe.
//
// Run as root, the program first moves into a mount namespace of its own and adds tmpfs
// mounts until the table has 40 lines, the size of a busy desktop's; otherwise it measures
// the machine's table as it is. The "mounts" counter tells which.
#include "drives/DriveProbe_linux.h"
#include "drives/RemovableDriveList.h"

#include <benchmark/benchmark.h>
#include <fstream>
#include <sched.h>
#include <string>
#include <sys/mount.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr int kWantedMounts = 40;

int mountTableLines()
{
    std::ifstream table("/proc/self/mountinfo");
    int lines = 0;
    for (std::string line; std::getline(table, line);)
        ++lines;
    return lines;
}

// Grows the table in a private namespace, so the machine's own table is never touched.
void growMountTable()
{
    if (::geteuid() != 0 || ::unshare(CLONE_NEWNS) != 0)
        return;
    if (::mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0)
        return;
    for (int n = 0; mountTableLines() < kWantedMounts && n < kWantedMounts; ++n) {
        const std::string point = "/tmp/zv-bench-mount-" + std::to_string(n);
        ::mkdir(point.c_str(), 0700);
        if (::mount("zv-bench", point.c_str(), "tmpfs", 0, "size=64k") != 0)
            return;
    }
}

void BM_PollWithoutChange(benchmark::State& state)
{
    zv::LinuxDriveProbe probe;
    std::string saveDir;
    zv::RemovableDriveList drives(probe, saveDir);
    drives.poll(); // the first tick always rebuilds
    for (auto _ : state)
        benchmark::DoNotOptimize(drives.poll());
    state.counters["candidates"] = static_cast<double>(probe.candidateRoots().size());
    state.counters["tableLines"] = mountTableLines();
    state.counters["tableReads"] = static_cast<double>(probe.tableReads());
}

// Refresh button on a warm probe: enumerate and rebuild the lists from the cached table.
void BM_RefreshButton(benchmark::State& state)
{
    zv::LinuxDriveProbe probe;
    std::string saveDir;
    zv::RemovableDriveList drives(probe, saveDir);
    for (auto _ : state) {
        drives.UpdateFDD();
        benchmark::DoNotOptimize(drives.entries().data());
    }
}

// What a change of the mount table costs: the table, sysfs and labels read afresh.
void BM_FullRebuild(benchmark::State& state)
{
    for (auto _ : state) {
        zv::LinuxDriveProbe probe;
        std::string saveDir;
        zv::RemovableDriveList drives(probe, saveDir);
        benchmark::DoNotOptimize(drives.poll());
    }
    state.counters["tableLines"] = mountTableLines();
}

} // namespace

BENCHMARK(BM_PollWithoutChange);
BENCHMARK(BM_RefreshButton);
BENCHMARK(BM_FullRebuild);

int main(int argc, char** argv)
{
    growMountTable();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
