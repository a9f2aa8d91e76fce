#include "common/UserLanguage.h"

#include <cstdlib>

namespace zv {

// Windows asks the system (UserLanguage_win.cpp); here the messages locale decides, in the
// order the C library itself reads the variables.
std::uint16_t userDefaultLanguageId()
{
    for (const char* variable : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
        const char* value = std::getenv(variable);
        if (value != nullptr && *value != '\0')
            return languageIdOfLocaleName(value);
    }
    return kNeutralLanguageId;
}

} // namespace zv
