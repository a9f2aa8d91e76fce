#pragma once

#include "common/SystemError.h"

#include <cstddef>
#include <string>
#include <string_view>

namespace zv {

// One open file of the platform (a descriptor on POSIX, a HANDLE on Windows), closed
// when it goes out of scope. Paths are the program's single-byte text: passed to the
// POSIX calls unchanged and read in the ANSI code page on Windows.
class FileHandle final {
public:
    enum class Mode {
        Read, // an existing file, for reading
        WriteTruncate, // created, or emptied when it exists
        WriteCreateNew, // created; fails when the name is taken (temporary files)
    };

    FileHandle() = default;
    ~FileHandle();
    FileHandle(FileHandle&& other) noexcept;
    FileHandle& operator=(FileHandle&& other) noexcept;
    FileHandle(const FileHandle&) = delete;
    FileHandle& operator=(const FileHandle&) = delete;

    [[nodiscard]] SystemError open(const std::string& path, Mode mode);
    [[nodiscard]] bool isOpen() const;

    // Reads up to `size` bytes; `got` is 0 at the end of the file.
    [[nodiscard]] SystemError read(char* buffer, std::size_t size, std::size_t& got);
    // Writes every byte or fails; a write the medium accepts only in part fails as "no space".
    [[nodiscard]] SystemError write(std::string_view bytes);
    // Pushes the written bytes through the caches onto the medium.
    [[nodiscard]] SystemError flushToDisk();
    [[nodiscard]] SystemError close();

    // Gives this file the access rights of the file at `path`, so a replacement keeps them.
    void copyPermissionsOf(const std::string& path);

private:
#ifdef _WIN32
    void* handle_ = nullptr;
#else
    int fd_ = -1;
#endif
};

// Creates and opens a new file whose path is `prefix` followed by a random number, retrying
// when the name is taken; `path` receives the name used.
[[nodiscard]] SystemError createUniqueFile(const std::string& prefix, FileHandle& file, std::string& path);

// Makes a new or renamed directory entry inside `directory` durable. A file system that
// cannot sync folders counts as success: its entries are written with the data.
[[nodiscard]] SystemError flushDirectory(const std::string& directory);

// Renames `from` over `to` in one step, replacing `to` when it exists.
[[nodiscard]] SystemError replaceFile(const std::string& from, const std::string& to);

// Fails with "access denied" when `path` is an existing file marked read-only, also for an
// administrator whom the system would let write it: read-only means the owner said so.
[[nodiscard]] SystemError refuseReadOnlyFile(const std::string& path);

// Removes a file; a missing file is no failure.
void removeFileQuietly(const std::string& path);

// The "no space left" code of the platform, for short writes.
[[nodiscard]] int noSpaceErrorCode();

} // namespace zv
