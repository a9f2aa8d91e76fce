#pragma once

#include "common/SystemError.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace zv {

// One open file of the platform (a descriptor on POSIX, a HANDLE on Windows), closed
// when it goes out of scope. Paths are the program's single-byte text: passed to the
// POSIX calls unchanged and read as UTF-8 on Windows.
class FileHandle final {
public:
    enum class Mode {
        Read, // an existing file, for reading; a pipe does not wait for a writer
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

    // Fails unless the open file is an ordinary file on a disk: a pipe, a device or a folder
    // opened for reading could block or never end.
    [[nodiscard]] SystemError refuseUnlessRegularFile() const;

    // Gives this file the access rights of the file at `path`, so a replacement keeps them.
    void copyPermissionsOf(const std::string& path);

private:
    friend class Folder;

#ifdef _WIN32
    void* handle_ = nullptr;
#else
    int fd_ = -1;
#endif
};

// A folder opened once, whose entries are then reached through it rather than by path: once
// open, the folder cannot be swapped under the names, so an unmount or a link put in its
// place cannot send a write elsewhere. POSIX holds a descriptor (openat, renameat, unlinkat);
// Windows holds the path, as a drive letter's root cannot be moved while a write runs. No
// entry name is ever followed as a link.
class Folder final {
public:
    Folder() = default;
    ~Folder();
    Folder(const Folder&) = delete;
    Folder& operator=(const Folder&) = delete;

    // Opens `path`; a trailing separator is ignored, and a link in the folder's own place is
    // refused, not followed.
    [[nodiscard]] SystemError open(const std::string& path);

    // The device the folder lives on (st_dev); 0 on Windows, which tells drives by letter.
    [[nodiscard]] std::uint64_t device() const;

    // Fails when `name` must not be replaced by a new file: a folder, or a regular file marked
    // read-only (binding also an administrator, as refuseReadOnlyFile). A link counts as the
    // link itself, never as what it points at; a missing name is no failure.
    [[nodiscard]] SystemError checkReplaceable(const std::string& name) const;

    // Creates `name` for writing; fails when anything, a dangling link too, has that name.
    [[nodiscard]] SystemError createNewFile(const std::string& name, FileHandle& file) const;

    // Creates a new file named `prefix` followed by a number, trying other numbers while the
    // name is taken, so nothing already in the folder is ever opened, replaced or removed;
    // `name` receives the name used.
    [[nodiscard]] SystemError createUniqueFile(const std::string& prefix, FileHandle& file, std::string& name) const;

    // Removes the regular files named as createUniqueFile names them with `prefix`: what a write
    // cut off before its rename left behind. Nothing else is touched. Looks at the first
    // kMostEntriesLookedAt entries only, so a folder of countless files costs no more.
    void removeLeftOvers(const std::string& prefix) const;
    static constexpr std::size_t kMostEntriesLookedAt = 4096;

    // Renames `from` over `to` in one step; a link at `to` is replaced, not what it points at.
    [[nodiscard]] SystemError replace(const std::string& from, const std::string& to) const;

    // Removes the entry `name` (a link itself, not its target); a missing one is no failure.
    // Only for a name this program has just created.
    void removeQuietly(const std::string& name) const;

    // Makes the folder's new and renamed entries durable, as flushDirectory.
    [[nodiscard]] SystemError flush() const;

private:
#ifdef _WIN32
    std::string path_; // with its trailing separator
#else
    int fd_ = -1;
#endif
};

// Creates and opens a new file whose path is `prefix` followed by a random number, retrying
// when the name is taken; `path` receives the name used.
[[nodiscard]] SystemError createUniqueFile(const std::string& prefix, FileHandle& file, std::string& path);

// True when a create failed only because the name is taken (EEXIST, ERROR_FILE_EXISTS).
[[nodiscard]] bool isNameTaken(const SystemError& error);

// The most digits of createUniqueFile's numbers, which it writes without leading zeros.
inline constexpr std::size_t kUniqueFileNumberDigits = 6;

// True when `name` is `prefix` followed by a number as createUniqueFile writes it. Only such a
// name may be cleared as our own left-over. Any character type, for the platform's file names.
template <typename Char>
[[nodiscard]] bool isUniqueFileName(std::basic_string_view<Char> name, std::basic_string_view<Char> prefix)
{
    if (name.size() <= prefix.size() || name.substr(0, prefix.size()) != prefix)
        return false;
    const std::basic_string_view<Char> number = name.substr(prefix.size());
    const bool allDigits = std::all_of(number.begin(), number.end(), [](Char c) { return c >= '0' && c <= '9'; });
    return allDigits && number.size() <= kUniqueFileNumberDigits && (number.size() == 1 || number.front() != '0');
}

// Makes a new or renamed directory entry inside `directory` durable. A file system that
// cannot sync folders counts as success: its entries are written with the data.
[[nodiscard]] SystemError flushDirectory(const std::string& directory);

// Renames `from` over `to` in one step, replacing `to` when it exists.
[[nodiscard]] SystemError replaceFile(const std::string& from, const std::string& to);

// Fails with "access denied" when `path` is an existing file marked read-only, also for an
// administrator whom the system would let write it: read-only means the owner said so.
[[nodiscard]] SystemError refuseReadOnlyFile(const std::string& path);

// Fails unless `path` is missing or a regular file, not following a link: a rename over a
// device, pipe or folder would put a file in its place.
[[nodiscard]] SystemError refuseUnlessRegularOrMissing(const std::string& path);

// Removes a file; a missing file is no failure.
void removeFileQuietly(const std::string& path);

// The "no space left" code of the platform, for short writes.
[[nodiscard]] int noSpaceErrorCode();

// The "file too large" code of the platform, for a file longer than its reader accepts.
[[nodiscard]] int fileTooLargeErrorCode();

} // namespace zv
