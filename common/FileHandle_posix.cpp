#include "common/FileHandle.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

namespace zv {

namespace {

int openFlags(FileHandle::Mode mode)
{
    switch (mode) {
    case FileHandle::Mode::Read:
        return O_RDONLY;
    case FileHandle::Mode::WriteTruncate:
        return O_WRONLY | O_CREAT | O_TRUNC;
    case FileHandle::Mode::WriteCreateNew:
        return O_WRONLY | O_CREAT | O_EXCL;
    }
    return O_RDONLY;
}

} // namespace

FileHandle::~FileHandle()
{
    if (fd_ >= 0)
        ::close(fd_);
}

FileHandle::FileHandle(FileHandle&& other) noexcept : fd_(std::exchange(other.fd_, -1)) { }

FileHandle& FileHandle::operator=(FileHandle&& other) noexcept
{
    if (this != &other) {
        if (fd_ >= 0)
            ::close(fd_);
        fd_ = std::exchange(other.fd_, -1);
    }
    return *this;
}

SystemError FileHandle::open(const std::string& path, Mode mode)
{
    if (fd_ >= 0)
        (void)close();
    int fd = -1;
    do {
        fd = ::open(path.c_str(), openFlags(mode) | O_CLOEXEC, 0666);
    } while (fd < 0 && errno == EINTR);
    if (fd < 0)
        return lastSystemError();
    fd_ = fd;
    return {};
}

bool FileHandle::isOpen() const { return fd_ >= 0; }

SystemError FileHandle::read(char* buffer, std::size_t size, std::size_t& got)
{
    got = 0;
    ssize_t n = -1;
    do {
        n = ::read(fd_, buffer, size);
    } while (n < 0 && errno == EINTR);
    if (n < 0)
        return lastSystemError();
    got = static_cast<std::size_t>(n);
    return {};
}

SystemError FileHandle::write(std::string_view bytes)
{
    while (!bytes.empty()) {
        const ssize_t n = ::write(fd_, bytes.data(), bytes.size());
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            return lastSystemError();
        if (n == 0)
            return systemError(ENOSPC);
        bytes.remove_prefix(static_cast<std::size_t>(n));
    }
    return {};
}

SystemError FileHandle::flushToDisk()
{
    if (::fsync(fd_) != 0)
        return lastSystemError();
    return {};
}

SystemError FileHandle::close()
{
    if (fd_ < 0)
        return {};
    // The descriptor is gone after close() whatever it returns, so it is never retried.
    const int result = ::close(std::exchange(fd_, -1));
    if (result != 0 && errno != EINTR)
        return lastSystemError();
    return {};
}

void FileHandle::copyPermissionsOf(const std::string& path)
{
    struct stat status { };
    if (fd_ >= 0 && ::stat(path.c_str(), &status) == 0)
        (void)::fchmod(fd_, status.st_mode & 07777);
}

SystemError refuseReadOnlyFile(const std::string& path)
{
    struct stat status { };
    if (::stat(path.c_str(), &status) != 0)
        return {};
    if ((status.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0)
        return systemError(EACCES);
    if (::access(path.c_str(), W_OK) != 0)
        return lastSystemError();
    return {};
}

SystemError flushDirectory(const std::string& directory)
{
    const int fd = ::open(directory.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return lastSystemError();
    SystemError error;
    if (::fsync(fd) != 0 && errno != EINVAL && errno != ENOTSUP)
        error = lastSystemError();
    ::close(fd);
    return error;
}

SystemError replaceFile(const std::string& from, const std::string& to)
{
    if (::rename(from.c_str(), to.c_str()) != 0)
        return lastSystemError();
    return {};
}

void removeFileQuietly(const std::string& path) { ::unlink(path.c_str()); }

int noSpaceErrorCode() { return ENOSPC; }

} // namespace zv
