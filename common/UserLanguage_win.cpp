#include "common/UserLanguage.h"

#include <windows.h>

namespace zv {

std::uint16_t userDefaultLanguageId() { return GetUserDefaultLangID(); }

} // namespace zv
