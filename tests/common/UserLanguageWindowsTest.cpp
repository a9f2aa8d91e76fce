// GetUserDefaultLangID under the locale ctest gives the program (see CMakeLists.txt): under Wine
// the user's language follows LANG, so this runs the Windows path and checks that the locale
// table answers as Windows numbers the same locale.
#include "common/UserLanguage.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

namespace zv {
namespace {

TEST(UserDefaultLanguageId, isTheWindowsIdOfTheSessionLocale)
{
    const char* expected = std::getenv("ZV_EXPECTED_LANGUAGE_ID");
    const char* lang = std::getenv("LANG");
    ASSERT_NE(expected, nullptr) << "ctest sets ZV_EXPECTED_LANGUAGE_ID beside LANG";
    ASSERT_NE(lang, nullptr);
    EXPECT_EQ(userDefaultLanguageId(), std::stoi(expected)) << "LANG=" << lang;
    EXPECT_EQ(languageIdOfLocaleName(lang), userDefaultLanguageId()) << "LANG=" << lang;
}

} // namespace
} // namespace zv
