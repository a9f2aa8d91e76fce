#include "common/FileHandle.h"

#include <cerrno>
#include <dirent.h>
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
        // A pipe would hold open() until some writer came; a regular file ignores the flag.
        return O_RDONLY | O_NONBLOCK;
    case FileHandle::Mode::WriteCreateNew:
        return O_WRONLY | O_CREAT | O_EXCL;
    }
    return O_RDONLY;
}

int openRetrying(int folder, const std::string& path, int flags)
{
    int fd = -1;
    do {
        fd = ::openat(folder, path.c_str(), flags | O_CLOEXEC, 0666);
    } while (fd < 0 && errno == EINTR);
    return fd;
}

// Read-only is the owner's word, so the bits are checked before access(), which lets root in.
SystemError refuseReadOnly(const struct stat& status, int folder, const std::string& path)
{
    if ((status.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0)
        return systemError(EACCES);
    if (::faccessat(folder, path.c_str(), W_OK, 0) != 0)
        return lastSystemError();
    return {};
}

// A file system that cannot sync folders writes their entries with the data.
SystemError syncFolder(int fd)
{
    if (::fsync(fd) != 0 && errno != EINVAL && errno != ENOTSUP)
        return lastSystemError();
    return {};
}

SystemError refuseUnlessRegular(const struct stat& status)
{
    if (S_ISDIR(status.st_mode))
        return systemError(EISDIR);
    if (!S_ISREG(status.st_mode))
        return systemError(EINVAL);
    return {};
}

// "dir/" would follow a link named dir, which O_NOFOLLOW is there to refuse.
std::string withoutTrailingSeparators(std::string path)
{
    while (path.size() > 1 && path.back() == '/')
        path.pop_back();
    return path;
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
    const int fd = openRetrying(AT_FDCWD, path, openFlags(mode));
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

SystemError FileHandle::refuseUnlessRegularFile() const
{
    struct stat status { };
    if (::fstat(fd_, &status) != 0)
        return lastSystemError();
    return refuseUnlessRegular(status);
}

void FileHandle::copyPermissionsOf(const std::string& path)
{
    struct stat status { };
    if (fd_ >= 0 && ::stat(path.c_str(), &status) == 0)
        (void)::fchmod(fd_, status.st_mode & 07777);
}

Folder::~Folder()
{
    if (fd_ >= 0)
        ::close(fd_);
}

SystemError Folder::open(const std::string& path)
{
    const int fd = openRetrying(AT_FDCWD, withoutTrailingSeparators(path), O_RDONLY | O_DIRECTORY | O_NOFOLLOW);
    if (fd < 0)
        return lastSystemError();
    if (fd_ >= 0)
        ::close(fd_);
    fd_ = fd;
    return {};
}

std::uint64_t Folder::device() const
{
    struct stat status { };
    return ::fstat(fd_, &status) == 0 ? static_cast<std::uint64_t>(status.st_dev) : 0;
}

SystemError Folder::checkReplaceable(const std::string& name) const
{
    struct stat status { };
    if (::fstatat(fd_, name.c_str(), &status, AT_SYMLINK_NOFOLLOW) != 0)
        return errno == ENOENT ? SystemError{} : lastSystemError();
    if (S_ISDIR(status.st_mode))
        return systemError(EISDIR);
    if (!S_ISREG(status.st_mode))
        return {};
    return refuseReadOnly(status, fd_, name);
}

SystemError Folder::createNewFile(const std::string& name, FileHandle& file) const
{
    const int fd = openRetrying(fd_, name, O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW);
    if (fd < 0)
        return lastSystemError();
    (void)file.close();
    file.fd_ = fd;
    return {};
}

SystemError Folder::replace(const std::string& from, const std::string& to) const
{
    if (::renameat(fd_, from.c_str(), fd_, to.c_str()) != 0)
        return lastSystemError();
    return {};
}

void Folder::removeQuietly(const std::string& name) const { ::unlinkat(fd_, name.c_str(), 0); }

void Folder::removeLeftOvers(const std::string& prefix) const
{
    // The listing gets a descriptor of its own: closedir() closes what it was given.
    const int listed = ::fcntl(fd_, F_DUPFD_CLOEXEC, 0);
    if (listed < 0)
        return;
    DIR* folder = ::fdopendir(listed);
    if (folder == nullptr) {
        ::close(listed);
        return;
    }
    ::rewinddir(folder); // the copy shares its position with the folder's own descriptor
    std::size_t looked = 0;
    for (const dirent* entry = ::readdir(folder); entry != nullptr && looked < kMostEntriesLookedAt;
         entry = ::readdir(folder), ++looked) {
        const std::string_view name(entry->d_name);
        struct stat status { };
        if (isUniqueFileName(name, std::string_view(prefix)) &&
            ::fstatat(fd_, entry->d_name, &status, AT_SYMLINK_NOFOLLOW) == 0 && S_ISREG(status.st_mode))
            ::unlinkat(fd_, entry->d_name, 0);
    }
    ::closedir(folder);
}

SystemError Folder::flush() const { return syncFolder(fd_); }

SystemError refuseReadOnlyFile(const std::string& path)
{
    struct stat status { };
    if (::stat(path.c_str(), &status) != 0)
        return {};
    return refuseReadOnly(status, AT_FDCWD, path);
}

SystemError refuseUnlessRegularOrMissing(const std::string& path)
{
    struct stat status { };
    if (::lstat(path.c_str(), &status) != 0)
        return errno == ENOENT ? SystemError{} : lastSystemError();
    return refuseUnlessRegular(status);
}

SystemError flushDirectory(const std::string& directory)
{
    const int fd = openRetrying(AT_FDCWD, directory, O_RDONLY | O_DIRECTORY);
    if (fd < 0)
        return lastSystemError();
    SystemError error = syncFolder(fd);
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

bool isNameTaken(const SystemError& error) { return error.code == EEXIST; }

int noSpaceErrorCode() { return ENOSPC; }

int fileTooLargeErrorCode() { return EFBIG; }

} // namespace zv
