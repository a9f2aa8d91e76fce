#include "common/SystemError.h"

#include <windows.h>

namespace zv {

SystemError systemError(int code)
{
    char buffer[512] = {};
    const DWORD length = FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
        static_cast<DWORD>(code), 0, buffer, sizeof buffer, nullptr);
    std::string text(buffer, length);
    while (!text.empty() && (text.back() == '\n' || text.back() == '\r' || text.back() == '.'))
        text.pop_back();
    return {code, text};
}

SystemError lastSystemError() { return systemError(static_cast<int>(GetLastError())); }

} // namespace zv
