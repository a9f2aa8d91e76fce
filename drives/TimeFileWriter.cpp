#include "drives/TimeFileWriter.h"

#include "common/FileHandle.h"

#include <algorithm>
#include <cerrno>
#include <iterator>
#include <string>

#ifdef _WIN32
#include <windows.h>
#endif

namespace zv {

namespace {

struct CodeText {
    int code;
    const char* text;
};

constexpr CodeText kCodeTexts[] = {
    {kIoFileNotFound, "File not found"},
    {kIoInvalidFilename, "Invalid filename"},
    {kIoTooManyOpenFiles, "Too many open files"},
    {kIoAccessDenied, "File access denied"},
    {kIoReadBeyondEnd, "Read beyond end of file"},
    {kIoDiskFull, "Disk full"},
    {kIoInvalidNumericInput, "Invalid numeric input"},
};

std::string numberedText(int code) { return "I/O error " + std::to_string(code); }

// The platform's errors that mean to the user what one of the texted codes says; 0 for the rest.
int textedCodeFor(int systemCode)
{
#ifdef _WIN32
    switch (static_cast<DWORD>(systemCode)) {
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
    case ERROR_INVALID_NAME:
    case ERROR_BAD_NETPATH:
    case ERROR_NOT_READY:
    case ERROR_INVALID_DRIVE:
    case ERROR_DEV_NOT_EXIST:
    case ERROR_FILENAME_EXCED_RANGE:
        return kIoInvalidFilename;
    case ERROR_ACCESS_DENIED:
    case ERROR_WRITE_PROTECT:
    case ERROR_SHARING_VIOLATION:
        return kIoAccessDenied;
    case ERROR_TOO_MANY_OPEN_FILES:
        return kIoTooManyOpenFiles;
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL:
        return kIoDiskFull;
    default:
        return 0;
    }
#else
    switch (systemCode) {
    case ENOENT: // the drive is gone, or SaveDir names no folder
    case ENOTDIR:
    case ENAMETOOLONG: // refused rather than cut, so the camera never gets a wrong name
        return kIoInvalidFilename;
    case EACCES:
    case EPERM:
    case EROFS:
        return kIoAccessDenied;
    case EMFILE:
    case ENFILE:
        return kIoTooManyOpenFiles;
    case ENOSPC:
#ifdef EDQUOT
    case EDQUOT:
#endif
        return kIoDiskFull;
    default:
        return 0;
    }
#endif
}

bool isControlByte(char c)
{
    const auto byte = static_cast<unsigned char>(c);
    return byte < 0x20 || byte == 0x7F;
}

// A base name comes from the settings file, which must not steer the write out of the root.
bool staysInRoot(std::string_view baseName)
{
    if (baseName == "." || baseName == "..")
        return false;
    return std::none_of(
        baseName.begin(), baseName.end(), [](char c) { return c == '/' || c == '\\' || isControlByte(c); });
}

TimeFileResult failure(int code) { return {false, code, ioErrorText(code)}; }

// Create or truncate, write, and push file and directory entry onto the medium: a camera
// pulled right after the confirmation must still find its file.
SystemError writeDurably(const std::string& directory, const std::string& path, std::string_view bytes)
{
    // A file marked read-only stays as it is, also for an administrator the system would let in.
    if (SystemError error = refuseReadOnlyFile(path); error.failed())
        return error;
    FileHandle file;
    if (SystemError error = file.open(path, FileHandle::Mode::WriteTruncate); error.failed())
        return error;
    if (SystemError error = file.write(bytes); error.failed())
        return error;
    if (SystemError error = file.flushToDisk(); error.failed())
        return error;
    if (SystemError error = file.close(); error.failed())
        return error;
    return flushDirectory(directory);
}

} // namespace

std::string ioErrorText(int code)
{
    const auto* const found = std::find_if(
        std::begin(kCodeTexts), std::end(kCodeTexts), [code](const CodeText& entry) { return entry.code == code; });
    return found != std::end(kCodeTexts) ? std::string(found->text) : numberedText(code);
}

TimeFileResult failureFromSystemError(int systemCode)
{
    const int code = textedCodeFor(systemCode);
    if (code != 0)
        return failure(code);
    return {false, systemCode, numberedText(systemCode)};
}

TimeFileResult writeTimeFile(const std::string& saveDir, const std::string& baseName, std::string_view text)
{
    // An empty SaveDir would put the file in the working folder instead of on a camera.
    if (saveDir.empty() || !staysInRoot(baseName))
        return failure(kIoInvalidFilename);

    std::string bytes;
    bytes.reserve(text.size() + 2);
    bytes.append(text).append("\r\n");
    if (const SystemError error = writeDurably(saveDir, saveDir + baseName + ".txt", bytes); error.failed())
        return failureFromSystemError(error.code);
    return {true, 0, {}};
}

} // namespace zv
