#include "common/UserLanguage.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <optional>
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

#ifndef _WIN32

// Sets or clears one environment variable for the life of the object.
class ScopedVariable {
public:
    ScopedVariable(const char* name, const char* value) : name_(name)
    {
        if (const char* old = std::getenv(name))
            old_ = old;
        set(value);
    }
    ~ScopedVariable() { set(old_ ? old_->c_str() : nullptr); }
    ScopedVariable(const ScopedVariable&) = delete;
    ScopedVariable& operator=(const ScopedVariable&) = delete;

private:
    void set(const char* value) const
    {
        if (value)
            ::setenv(name_, value, 1);
        else
            ::unsetenv(name_);
    }

    const char* name_;
    std::optional<std::string> old_;
};

TEST(UserDefaultLanguageId, takesTheFirstNonEmptyOfLcAllLcMessagesLang)
{
    const struct {
        const char* lcAll;
        const char* lcMessages;
        const char* lang;
        std::uint16_t id;
    } cases[] = {
        {"ru_RU.UTF-8", "en_US.UTF-8", "en_US.UTF-8", 1049},
        {"en_US.UTF-8", "ru_RU.UTF-8", "ru_RU.UTF-8", 1033},
        {"", "ru_RU.UTF-8", "en_US.UTF-8", 1049},
        {nullptr, "en_GB.UTF-8", "ru_RU.UTF-8", 2057},
        {nullptr, "", "ru_MD.UTF-8", 2073},
        {"C", "ru_RU.UTF-8", "ru_RU.UTF-8", 0}, // "C" is set, so it wins, and it is not Russian
        {nullptr, nullptr, "ru_RU.UTF-8", 1049},
        {"", "", "", 0},
        {nullptr, nullptr, nullptr, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << (c.lcAll ? c.lcAll : "-") << " " << (c.lcMessages ? c.lcMessages : "-")
                                        << " " << (c.lang ? c.lang : "-"));
        const ScopedVariable lcAll("LC_ALL", c.lcAll);
        const ScopedVariable lcMessages("LC_MESSAGES", c.lcMessages);
        const ScopedVariable lang("LANG", c.lang);
        EXPECT_EQ(userDefaultLanguageId(), c.id);
    }
}

#endif

} // namespace
} // namespace zv
