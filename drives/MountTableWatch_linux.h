#pragma once

#include <atomic>
#include <ctime>
#include <string>
#include <sys/types.h>

namespace zv {

// Tells cheaply whether the mount table changed, and reads it when it did.
//
// On procfs the table's descriptor stays open: after every change of the mount table the
// kernel marks it with POLLERR|POLLPRI once, so a zero-timeout poll() is the whole check.
// Any other file (a fake tree in tests) is compared by its stat() stamp instead; such a
// file must be replaced or grow to be noticed, as its time stamp may not move within a tick.
class MountTableWatch final {
public:
    explicit MountTableWatch(std::string path);
    ~MountTableWatch();
    MountTableWatch(const MountTableWatch&) = delete;
    MountTableWatch& operator=(const MountTableWatch&) = delete;

    // True when the table may differ from the last time this was asked; true on the first call.
    [[nodiscard]] bool changed();

    // For a waiter that watches the mark itself: the descriptor to poll for POLLPRI, or -1
    // when the table is not on procfs. From then on changed() makes no system call and answers
    // whether signalled() was called since it last asked; signalled() may come from any thread.
    [[nodiscard]] int handOverChangeMark();
    void signalled() { signalled_.store(true); }

    // The whole table; false (and `text` undefined) when it cannot be read.
    [[nodiscard]] bool read(std::string& text) const;

private:
    struct FileStamp {
        bool exists = false;
        dev_t device = 0;
        ino_t inode = 0;
        off_t size = 0;
        timespec modified{};
    };

    [[nodiscard]] static FileStamp stampOf(const std::string& path);
    [[nodiscard]] static bool sameStamp(const FileStamp& a, const FileStamp& b);

    std::string path_;
    int procFd_ = -1; // open only while the table lives on procfs
    bool asked_ = false;
    bool handedOver_ = false;
    std::atomic<bool> signalled_ = false;
    FileStamp stamp_;
};

} // namespace zv
