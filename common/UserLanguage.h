#pragma once

#include <cstdint>
#include <string_view>

namespace zv {

// Windows language identifiers, the numbering the interface language test compares against.
inline constexpr std::uint16_t kRussianLanguageId = 1049;
inline constexpr std::uint16_t kNeutralLanguageId = 0; // LANG_NEUTRAL: no language named

// The Windows numbering of a POSIX locale name such as "ru_RU.UTF-8", "en_US" or "ru_MD@euro".
// The code set and the modifier are ignored; language and territory are matched without regard
// to case. A bare language ("ru") gives that language's default id (1049). A well-formed name that
// has no classic Windows id (ru_UA, ru_EE, en_NG, xx_YY) gives 4096, as Windows itself reports such
// locales. "C", "POSIX", an empty or a malformed name gives 0 (LANG_NEUTRAL).
[[nodiscard]] std::uint16_t languageIdOfLocaleName(std::string_view localeName);

// The user's default language id: GetUserDefaultLangID() on Windows; elsewhere the first non-empty
// of LC_ALL, LC_MESSAGES and LANG, mapped by languageIdOfLocaleName (none set gives 0).
[[nodiscard]] std::uint16_t userDefaultLanguageId();

} // namespace zv
