#include "common/FileHandle.h"

#include "common/AnsiText_win.h"

#include <utility>
#include <windows.h>

namespace zv {

namespace {

HANDLE asHandle(void* handle) { return static_cast<HANDLE>(handle); }

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
    DWORD access = GENERIC_WRITE;
    DWORD disposition = CREATE_ALWAYS;
    DWORD share = FILE_SHARE_READ;
    if (mode == Mode::Read) {
        access = GENERIC_READ;
        disposition = OPEN_EXISTING;
        share = FILE_SHARE_READ | FILE_SHARE_WRITE;
    } else if (mode == Mode::WriteCreateNew) {
        disposition = CREATE_NEW;
    }
    const HANDLE handle =
        CreateFileW(widenAnsi(path).c_str(), access, share, nullptr, disposition, FILE_ATTRIBUTE_NORMAL, nullptr);
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

void FileHandle::copyPermissionsOf(const std::string&)
{
    // A new file inherits the folder's access list, which is what the old file had too.
}

SystemError refuseReadOnlyFile(const std::string& path)
{
    const DWORD attributes = GetFileAttributesW(widenAnsi(path).c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY))
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
            widenAnsi(from).c_str(), widenAnsi(to).c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        return lastSystemError();
    return {};
}

void removeFileQuietly(const std::string& path) { DeleteFileW(widenAnsi(path).c_str()); }

int noSpaceErrorCode() { return ERROR_DISK_FULL; }

} // namespace zv
