#include "common/SystemError.h"

#include <cerrno>
#include <cstring>

#ifdef _WIN32
#include <windows.h>
#endif

namespace zv {

SystemError systemError(int code)
{
#ifdef _WIN32
    char buffer[512] = {};
    const DWORD length = FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
        static_cast<DWORD>(code), 0, buffer, sizeof buffer, nullptr);
    std::string text(buffer, length);
    while (!text.empty() && (text.back() == '\n' || text.back() == '\r' || text.back() == '.'))
        text.pop_back();
    return {code, text};
#else
    return {code, std::strerror(code)};
#endif
}

SystemError lastSystemError()
{
#ifdef _WIN32
    return systemError(static_cast<int>(GetLastError()));
#else
    return systemError(errno);
#endif
}

} // namespace zv
