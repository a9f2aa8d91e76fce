#pragma once

#include <string>

namespace zv {

// An operating-system failure as the platform reported it: errno on POSIX,
// GetLastError() on Windows, with the system's own description.
struct SystemError {
    int code = 0;
    std::string message;

    [[nodiscard]] bool failed() const { return code != 0; }
};

// Describes `code` in the platform's words (strerror / FormatMessage).
[[nodiscard]] SystemError systemError(int code);

// The failure of the last call, read from errno / GetLastError().
[[nodiscard]] SystemError lastSystemError();

} // namespace zv
