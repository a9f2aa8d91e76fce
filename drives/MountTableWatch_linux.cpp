#include "drives/MountTableWatch_linux.h"

#include <cerrno>
#include <fcntl.h>
#include <linux/magic.h>
#include <poll.h>
#include <sys/stat.h>
#include <sys/vfs.h>
#include <unistd.h>
#include <utility>

namespace zv {

namespace {

int openForReading(const std::string& path)
{
    int fd = -1;
    do {
        fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    } while (fd < 0 && errno == EINTR);
    return fd;
}

bool isOnProcfs(int fd)
{
    struct statfs info { };
    return ::fstatfs(fd, &info) == 0 && info.f_type == PROC_SUPER_MAGIC;
}

// Reads from the current offset to the end. procfs hands the table out in pieces, so one
// read() is not enough even for a short table.
bool readToEnd(int fd, std::string& text)
{
    text.clear();
    char buffer[16384];
    for (;;) {
        const ssize_t got = ::read(fd, buffer, sizeof buffer);
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0)
            return false;
        if (got == 0)
            return true;
        text.append(buffer, static_cast<std::size_t>(got));
    }
}

} // namespace

MountTableWatch::MountTableWatch(std::string path) : path_(std::move(path))
{
    const int fd = openForReading(path_);
    if (fd >= 0 && isOnProcfs(fd))
        procFd_ = fd;
    else if (fd >= 0)
        ::close(fd);
}

MountTableWatch::~MountTableWatch()
{
    if (procFd_ >= 0)
        ::close(procFd_);
}

bool MountTableWatch::changed()
{
    if (!std::exchange(asked_, true)) {
        stamp_ = stampOf(path_);
        return true;
    }
    if (handedOver_)
        return signalled_.exchange(false);
    if (procFd_ >= 0) {
        pollfd request{procFd_, POLLPRI, 0};
        // With events = POLLPRI alone, any report at all is the change mark; a failed call
        // counts as a change so that the worst case is one needless read.
        return ::poll(&request, 1, 0) != 0;
    }
    const FileStamp now = stampOf(path_);
    if (sameStamp(now, stamp_))
        return false;
    stamp_ = now;
    return true;
}

int MountTableWatch::handOverChangeMark()
{
    handedOver_ = procFd_ >= 0;
    return procFd_;
}

bool MountTableWatch::read(std::string& text) const
{
    if (procFd_ >= 0)
        return ::lseek(procFd_, 0, SEEK_SET) == 0 && readToEnd(procFd_, text);
    const int fd = openForReading(path_);
    if (fd < 0)
        return false;
    const bool ok = readToEnd(fd, text);
    ::close(fd);
    return ok;
}

MountTableWatch::FileStamp MountTableWatch::stampOf(const std::string& path)
{
    struct stat info { };
    if (::stat(path.c_str(), &info) != 0)
        return {};
    return {true, info.st_dev, info.st_ino, info.st_size, info.st_mtim};
}

bool MountTableWatch::sameStamp(const FileStamp& a, const FileStamp& b)
{
    return a.exists == b.exists && a.device == b.device && a.inode == b.inode && a.size == b.size &&
        a.modified.tv_sec == b.modified.tv_sec && a.modified.tv_nsec == b.modified.tv_nsec;
}

} // namespace zv
