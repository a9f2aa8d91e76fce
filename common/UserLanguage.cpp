#include "common/UserLanguage.h"

#include <algorithm>
#include <array>
#include <iterator>
#include <optional>
#include <string>

namespace zv {

namespace {

// What Windows reports for a locale that has no classic language id.
constexpr std::uint16_t kCustomLocale = 0x1000;

struct LocaleLanguage {
    std::string_view name; // language_TERRITORY
    std::uint16_t id;
};

// The Windows ids of the usual POSIX locales, sorted by name for the binary search.
constexpr auto kLocaleLanguages = std::to_array<LocaleLanguage>({
    {"ar_SA", 1025},
    {"az_AZ", 1068},
    {"be_BY", 1059},
    {"bg_BG", 1026},
    {"ca_ES", 1027},
    {"cs_CZ", 1029},
    {"da_DK", 1030},
    {"de_AT", 3079},
    {"de_CH", 2055},
    {"de_DE", 1031},
    {"de_LU", 4103},
    {"el_GR", 1032},
    {"en_AU", 3081},
    {"en_CA", 4105},
    {"en_GB", 2057},
    {"en_IE", 6153},
    {"en_IN", 16393},
    {"en_NZ", 5129},
    {"en_US", 1033},
    {"en_ZA", 7177},
    {"es_AR", 11274},
    {"es_ES", 3082},
    {"es_MX", 2058},
    {"et_EE", 1061},
    {"fa_IR", 1065},
    {"fi_FI", 1035},
    {"fr_BE", 2060},
    {"fr_CA", 3084},
    {"fr_CH", 4108},
    {"fr_FR", 1036},
    {"he_IL", 1037},
    {"hi_IN", 1081},
    {"hr_HR", 1050},
    {"hu_HU", 1038},
    {"hy_AM", 1067},
    {"id_ID", 1057},
    {"is_IS", 1039},
    {"it_CH", 2064},
    {"it_IT", 1040},
    {"ja_JP", 1041},
    {"ka_GE", 1079},
    {"kk_KZ", 1087},
    {"ko_KR", 1042},
    {"ky_KG", 1088},
    {"lt_LT", 1063},
    {"lv_LV", 1062},
    {"mk_MK", 1071},
    {"mn_MN", 1104},
    {"nb_NO", 1044},
    {"nl_BE", 2067},
    {"nl_NL", 1043},
    {"nn_NO", 2068},
    {"pl_PL", 1045},
    {"pt_BR", 1046},
    {"pt_PT", 2070},
    {"ro_MD", 2072},
    {"ro_RO", 1048},
    // Russian outside Russia: only Moldova has a classic id; the others are listed so that
    // nobody "fixes" them to 1049, which would switch those users to the Russian interface.
    {"ru_BY", kCustomLocale},
    {"ru_KG", kCustomLocale},
    {"ru_KZ", kCustomLocale},
    {"ru_MD", 2073},
    {"ru_RU", 1049},
    {"ru_UA", kCustomLocale},
    {"sk_SK", 1051},
    {"sl_SI", 1060},
    {"sq_AL", 1052},
    {"sv_FI", 2077},
    {"sv_SE", 1053},
    {"th_TH", 1054},
    {"tr_TR", 1055},
    {"tt_RU", 1092},
    {"uk_UA", 1058},
    {"uz_UZ", 1091},
    {"vi_VN", 1066},
    {"zh_CN", 2052},
    {"zh_HK", 3076},
    {"zh_TW", 1028},
});
static_assert(std::ranges::is_sorted(kLocaleLanguages, {}, &LocaleLanguage::name));

constexpr bool isAsciiLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }
constexpr char toLower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }
constexpr char toUpper(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }

bool allLetters(std::string_view text) { return std::ranges::all_of(text, isAsciiLetter); }

// "ru_md.UTF-8@euro" becomes "ru_MD", "RU" becomes "ru"; nothing when it is not a
// language of two or three letters with an optional two-letter territory ("C", "POSIX").
std::optional<std::string> normalisedLocale(std::string_view name)
{
    name = name.substr(0, name.find_first_of(".@"));
    const std::string_view language = name.substr(0, name.find('_'));
    const bool hasTerritory = language.size() < name.size();
    const std::string_view territory = hasTerritory ? name.substr(language.size() + 1) : std::string_view{};
    if (language.size() < 2 || language.size() > 3 || !allLetters(language))
        return std::nullopt;
    if (hasTerritory && (territory.size() != 2 || !allLetters(territory)))
        return std::nullopt;
    std::string normal;
    std::ranges::transform(language, std::back_inserter(normal), toLower);
    if (hasTerritory) {
        normal += '_';
        std::ranges::transform(territory, std::back_inserter(normal), toUpper);
    }
    return normal;
}

// A bare language takes the Windows default sublanguage (1) of its primary language, the way
// Windows builds MAKELANGID(primary, SUBLANG_DEFAULT): "ru" is 1049, "en" 1033.
std::uint16_t defaultIdOfLanguage(std::string_view language)
{
    const std::string prefix = std::string(language) + '_';
    auto entry = std::ranges::lower_bound(kLocaleLanguages, prefix, {}, &LocaleLanguage::name);
    for (; entry != kLocaleLanguages.end() && entry->name.starts_with(prefix); ++entry) {
        if (entry->id != kCustomLocale)
            return static_cast<std::uint16_t>((entry->id & 0x3FF) | 0x400);
    }
    return kCustomLocale;
}

} // namespace

std::uint16_t languageIdOfLocaleName(std::string_view localeName)
{
    const std::optional<std::string> normal = normalisedLocale(localeName);
    if (!normal)
        return kNeutralLanguageId;
    if (normal->find('_') == std::string::npos)
        return defaultIdOfLanguage(*normal);
    const auto entry = std::ranges::lower_bound(kLocaleLanguages, *normal, {}, &LocaleLanguage::name);
    if (entry != kLocaleLanguages.end() && entry->name == *normal)
        return entry->id;
    return kCustomLocale;
}

} // namespace zv
