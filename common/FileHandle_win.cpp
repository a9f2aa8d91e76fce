#include "common/FileHandle.h"

#include "common/WideText_win.h"

#include <utility>
#include <windows.h>

namespace zv {

namespace {

HANDLE asHandle(void* handle) { return static_cast<HANDLE>(handle); }

bool isSeparator(char c) { return c == '\\' || c == '/'; }

// "E:\" stays whole ("E:" alone would name E's current folder); "C:\dir\" loses its separator.
std::string withoutTrailingSeparators(std::string path)
{
    while (path.size() > 1 && isSeparator(path.back()) && path[path.size() - 2] != ':')
        path.pop_back();
    return path;
}

} // namespace

FileHandle::~FileHandle()
{
    if (handle_)
        CloseHandle(asHandle(handle_));
}

FileHandle::FileHandle(FileHandle&& other) noexcept : handle_(std::exchange(other.handle_, nullptr)) { }

FileHandle& FileHandle::operator=(FileHandle&& other) noexcept
{
    if (this != &other) {
        if (handle_)
            CloseHandle(asHandle(handle_));
        handle_ = std::exchange(other.handle_, nullptr);
    }
    return *this;
}

SystemError FileHandle::open(const std::string& path, Mode mode)
{
    if (handle_)
        (void)close();
    const bool reading = mode == Mode::Read;
    const DWORD access = reading ? GENERIC_READ : GENERIC_WRITE;
    const DWORD disposition = reading ? OPEN_EXISTING : CREATE_NEW;
    const DWORD share = reading ? FILE_SHARE_READ | FILE_SHARE_WRITE : FILE_SHARE_READ;
    const HANDLE handle =
        CreateFileW(widenUtf8(path).c_str(), access, share, nullptr, disposition, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE)
        return lastSystemError();
    handle_ = handle;
    return {};
}

bool FileHandle::isOpen() const { return handle_ != nullptr; }

SystemError FileHandle::read(char* buffer, std::size_t size, std::size_t& got)
{
    got = 0;
    DWORD n = 0;
    const DWORD chunk = size > 0x40000000u ? 0x40000000u : static_cast<DWORD>(size);
    if (!ReadFile(asHandle(handle_), buffer, chunk, &n, nullptr))
        return lastSystemError();
    got = n;
    return {};
}

SystemError FileHandle::write(std::string_view bytes)
{
    while (!bytes.empty()) {
        const DWORD chunk = bytes.size() > 0x40000000u ? 0x40000000u : static_cast<DWORD>(bytes.size());
        DWORD written = 0;
        if (!WriteFile(asHandle(handle_), bytes.data(), chunk, &written, nullptr))
            return lastSystemError();
        if (written == 0)
            return systemError(ERROR_DISK_FULL);
        bytes.remove_prefix(written);
    }
    return {};
}

SystemError FileHandle::flushToDisk()
{
    if (!FlushFileBuffers(asHandle(handle_)))
        return lastSystemError();
    return {};
}

SystemError FileHandle::close()
{
    if (!handle_)
        return {};
    if (!CloseHandle(asHandle(std::exchange(handle_, nullptr))))
        return lastSystemError();
    return {};
}

SystemError FileHandle::refuseUnlessRegularFile() const
{
    if (GetFileType(asHandle(handle_)) != FILE_TYPE_DISK)
        return systemError(ERROR_INVALID_DATA);
    return {};
}

void FileHandle::copyPermissionsOf(const std::string&)
{
    // A new file inherits the folder's access list, which is what the old file had too.
}

Folder::~Folder() = default;

SystemError Folder::open(const std::string& path)
{
    const std::string folder = withoutTrailingSeparators(path);
    const DWORD attributes = GetFileAttributesW(widenUtf8(folder).c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES)
        return lastSystemError();
    if ((attributes & FILE_ATTRIBUTE_DIRECTORY) == 0)
        return systemError(ERROR_PATH_NOT_FOUND);
    if ((attributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0)
        return systemError(ERROR_CANT_ACCESS_FILE); // a junction or link would carry the write elsewhere
    path_ = isSeparator(folder.back()) ? folder : folder + '\\';
    return {};
}

std::uint64_t Folder::device() const { return 0; }

SystemError Folder::checkReplaceable(const std::string& name) const
{
    // GetFileAttributesW describes a link itself, not what it points at.
    const DWORD attributes = GetFileAttributesW(widenUtf8(path_ + name).c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0)
        return {};
    if ((attributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_READONLY)) != 0)
        return systemError(ERROR_ACCESS_DENIED);
    return {};
}

SystemError Folder::createNewFile(const std::string& name, FileHandle& file) const
{
    const HANDLE handle = CreateFileW(widenUtf8(path_ + name).c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr,
        CREATE_NEW, FILE_ATTRIBUTE_NORMAL | FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
    if (handle == INVALID_HANDLE_VALUE)
        return lastSystemError();
    (void)file.close();
    file.handle_ = handle;
    return {};
}

// MoveFileExW replaces a link at `to` itself, never the file it points at.
SystemError Folder::replace(const std::string& from, const std::string& to) const
{
    return replaceFile(path_ + from, path_ + to);
}

void Folder::removeQuietly(const std::string& name) const { removeFileQuietly(path_ + name); }

void Folder::removeLeftOvers(const std::string& prefix) const
{
    WIN32_FIND_DATAW found{};
    const HANDLE search = FindFirstFileW(widenUtf8(path_ + prefix + '*').c_str(), &found);
    if (search == INVALID_HANDLE_VALUE)
        return;
    const std::wstring widePrefix = widenUtf8(prefix);
    std::size_t looked = 0;
    do {
        constexpr DWORD kNotAFile = FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT | FILE_ATTRIBUTE_DEVICE;
        if ((found.dwFileAttributes & kNotAFile) == 0 &&
            isUniqueFileName(std::wstring_view(found.cFileName), std::wstring_view(widePrefix)))
            DeleteFileW((widenUtf8(path_) + found.cFileName).c_str());
    } while (++looked < kMostEntriesLookedAt && FindNextFileW(search, &found));
    FindClose(search);
}

SystemError Folder::flush() const { return flushDirectory(path_); }

SystemError refuseReadOnlyFile(const std::string& path)
{
    const DWORD attributes = GetFileAttributesW(widenUtf8(path).c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY))
        return systemError(ERROR_ACCESS_DENIED);
    return {};
}

SystemError refuseUnlessRegularOrMissing(const std::string& path)
{
    const DWORD attributes = GetFileAttributesW(widenUtf8(path).c_str());
    constexpr DWORD kNotAFile = FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT | FILE_ATTRIBUTE_DEVICE;
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & kNotAFile) != 0)
        return systemError(ERROR_ACCESS_DENIED);
    return {};
}

SystemError flushDirectory(const std::string&)
{
    // NTFS and FAT commit the directory entry with FlushFileBuffers on the file.
    return {};
}

SystemError replaceFile(const std::string& from, const std::string& to)
{
    if (!MoveFileExW(
            widenUtf8(from).c_str(), widenUtf8(to).c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        return lastSystemError();
    return {};
}

void removeFileQuietly(const std::string& path) { DeleteFileW(widenUtf8(path).c_str()); }

bool isNameTaken(const SystemError& error)
{
    return error.code == ERROR_FILE_EXISTS || error.code == ERROR_ALREADY_EXISTS;
}

int noSpaceErrorCode() { return ERROR_DISK_FULL; }

int fileTooLargeErrorCode() { return ERROR_FILE_TOO_LARGE; }

} // namespace zv
