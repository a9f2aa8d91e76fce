#include "common/UserLanguage.h"

#include <gtest/gtest.h>

#include <string>

namespace zv {
namespace {

TEST(LanguageIdOfLocaleName, mapsLocaleNamesOntoTheWindowsNumbering)
{
    const struct {
        std::string_view locale;
        std::uint16_t id;
    } cases[] = {
        // Russian: only Russia keeps 1049
        {"ru_RU.UTF-8", 1049},
        {"ru_RU", 1049},
        {"ru_RU.KOI8-R", 1049},
        {"ru_ru.utf8", 1049},
        {"ru", 1049},
        {"ru.UTF-8", 1049},
        {"ru_MD", 2073},
        {"ru_MD@euro", 2073},
        {"ru_MD.UTF-8", 2073},
        {"ru_UA.UTF-8", 4096},
        {"ru_BY", 4096},
        {"ru_KZ", 4096},
        {"ru_KG", 4096},
        {"ru_EE", 4096}, // a territory the table does not know is still not Russia
        // the common languages
        {"en_US.UTF-8", 1033},
        {"en_GB", 2057},
        {"de_DE.UTF-8", 1031},
        {"fr_FR", 1036},
        {"uk_UA.UTF-8", 1058},
        {"be_BY", 1059},
        {"kk_KZ", 1087},
        {"zh_CN.GB18030", 2052},
        {"es_ES@euro", 3082},
        {"zh_TW", 1028}, // first entry of the table
        {"zh_HK", 3076}, // last entry of the table
        {"en", 1033},
        {"de", 1031},
        {"tt_RU", 1092}, // a Russian territory is not the Russian language
        {"xx", 4096},
        {"xx_YY", 4096},
        // no language at all
        {"", 0},
        {"C", 0},
        {"C.UTF-8", 0},
        {"POSIX", 0},
        {"ru_", 0},
        {"_RU", 0},
        {"ru_RUS", 0},
        {"ru-RU", 0},
        {"r", 0},
        {".UTF-8", 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.locale);
        EXPECT_EQ(languageIdOfLocaleName(c.locale), c.id);
    }
}

} // namespace
} // namespace zv
