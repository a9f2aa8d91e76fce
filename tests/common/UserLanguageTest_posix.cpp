// The language id from the POSIX locale variables.
#include "common/UserLanguage.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <optional>
#include <string>

namespace zv {
namespace {

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

} // namespace
} // namespace zv
