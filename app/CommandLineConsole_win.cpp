#include "app/CommandLineConsole.h"

#include "common/WideText_win.h"

#include <windows.h>

#include <io.h>
#include <shellapi.h>

namespace zv {

namespace {

// A file or pipe the starter sent the output to ("> list.txt", "| findstr"), which stays so.
bool sentToFileOrPipe(HANDLE handle)
{
    if (handle == nullptr || handle == INVALID_HANDLE_VALUE)
        return false;
    const DWORD type = GetFileType(handle);
    return type == FILE_TYPE_DISK || type == FILE_TYPE_PIPE;
}

} // namespace

void attachToStartingConsole()
{
    const bool outSent = sentToFileOrPipe(GetStdHandle(STD_OUTPUT_HANDLE));
    const bool errorSent = sentToFileOrPipe(GetStdHandle(STD_ERROR_HANDLE));
    if (outSent && errorSent)
        return;
    // Started from Explorer or a shortcut there is no console to join, and nobody to read.
    if (!AttachConsole(ATTACH_PARENT_PROCESS))
        return;
    if (!outSent)
        (void)std::freopen("CONOUT$", "w", stdout);
    if (!errorSent)
        (void)std::freopen("CONOUT$", "w", stderr);
}

// main's argv is in the ANSI code page, which loses an own format's Cyrillic name.
std::vector<std::string> commandLineArguments(int /*argc*/, char** /*argv*/)
{
    std::vector<std::string> arguments;
    int count = 0;
    wchar_t** wide = CommandLineToArgvW(GetCommandLineW(), &count);
    if (wide == nullptr)
        return arguments;
    for (int i = 1; i < count; ++i)
        arguments.push_back(narrowToUtf8(wide[i]));
    LocalFree(wide);
    return arguments;
}

void writeToConsole(std::FILE* stream, std::string_view text)
{
    std::fflush(stream);
    const int descriptor = _fileno(stream);
    if (descriptor < 0) // no console and no file: nowhere to write
        return;
    const auto handle = reinterpret_cast<HANDLE>(_get_osfhandle(descriptor));
    DWORD mode = 0;
    if (handle != INVALID_HANDLE_VALUE && GetConsoleMode(handle, &mode)) {
        const std::wstring wide = widenUtf8(std::string(text));
        DWORD written = 0;
        (void)WriteConsoleW(handle, wide.data(), static_cast<DWORD>(wide.size()), &written, nullptr);
        return;
    }
    std::fwrite(text.data(), 1, text.size(), stream);
    std::fflush(stream);
}

} // namespace zv
