#include "SystemCodePage.h"

namespace zv::test {

QString shownBytes(const std::string& /*bytes*/, const QString& onLinux) { return onLinux; }

std::string storedBytes(const std::string& utf8) { return utf8; }

} // namespace zv::test
