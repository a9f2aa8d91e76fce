#include "common/SystemError.h"

#include <cerrno>
#include <cstring>

namespace zv {

SystemError systemError(int code) { return {code, std::strerror(code)}; }

SystemError lastSystemError() { return systemError(errno); }

} // namespace zv
