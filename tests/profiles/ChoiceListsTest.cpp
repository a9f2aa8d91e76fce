#include "profiles/ChoiceLists.h"

#include <gtest/gtest.h>

namespace zv {
namespace {

constexpr std::array kAllLists = {
    ChoiceList::DateSeparator, ChoiceList::TimeSeparator, ChoiceList::DateTimeSeparator, ChoiceList::YesNoFlag};

TEST(ChoiceLists, displayTextsInCodeOrderInBothLanguages)
{
    using V = std::vector<std::string_view>;
    EXPECT_EQ(displayTexts(ChoiceList::DateSeparator, Language::Russian),
        (V{"НЕТ (Слитно)", "\".\" - Точка", "\"-\" - Тире", "\"/\" - Дробь"}));
    EXPECT_EQ(displayTexts(ChoiceList::DateSeparator, Language::English),
        (V{"NO (Conjoint)", "\".\" - Point", "\"-\" - Dash", "\"/\" - Ratio"}));
    EXPECT_EQ(displayTexts(ChoiceList::TimeSeparator, Language::Russian),
        (V{"НЕТ (Слитно)", "\":\" - Двоеточие", "\".\" - Точка"}));
    EXPECT_EQ(displayTexts(ChoiceList::TimeSeparator, Language::English),
        (V{"NO (Conjoint)", "\":\" - Colon", "\".\" - Point"}));
    EXPECT_EQ(
        displayTexts(ChoiceList::DateTimeSeparator, Language::Russian), (V{"НЕТ (Слитно)", "\" \" - Пробел", "ENTER"}));
    EXPECT_EQ(
        displayTexts(ChoiceList::DateTimeSeparator, Language::English), (V{"NO (Conjoint)", "\" \" - Gap", "ENTER"}));
    EXPECT_EQ(displayTexts(ChoiceList::YesNoFlag, Language::Russian), (V{"\"Y\" - Есть", "\"N\" - Нет"}));
    EXPECT_EQ(displayTexts(ChoiceList::YesNoFlag, Language::English), (V{"\"Y\" - Yes", "\"N\" - No"}));
}

TEST(ChoiceLists, whatEachCodeStandsForInTheFile)
{
    struct Case {
        ChoiceList list;
        std::string_view code;
        std::string_view text;
    };
    const Case cases[] = {
        {ChoiceList::DateSeparator, "0", ""},
        {ChoiceList::DateSeparator, "1", "."},
        {ChoiceList::DateSeparator, "2", "-"},
        {ChoiceList::DateSeparator, "3", "/"},
        {ChoiceList::TimeSeparator, "0", ""},
        {ChoiceList::TimeSeparator, "1", ":"},
        {ChoiceList::TimeSeparator, "2", "."},
        {ChoiceList::DateTimeSeparator, "0", ""},
        {ChoiceList::DateTimeSeparator, "1", " "},
        {ChoiceList::DateTimeSeparator, "2", "\r\n"},
        {ChoiceList::YesNoFlag, "0", "Y"},
        {ChoiceList::YesNoFlag, "1", "N"},
    };
    for (const Case& c : cases) {
        ASSERT_TRUE(standsFor(c.list, c.code).has_value()) << c.code;
        EXPECT_EQ(*standsFor(c.list, c.code), c.text) << c.code;
    }
}

TEST(ChoiceLists, onlyTheExactOneDigitCodesAreValid)
{
    const std::pair<ChoiceList, std::string_view> firstInvalid[] = {
        {ChoiceList::DateSeparator, "4"},
        {ChoiceList::TimeSeparator, "3"},
        {ChoiceList::DateTimeSeparator, "3"},
        {ChoiceList::YesNoFlag, "2"},
    };
    for (const auto& [list, code] : firstInvalid) {
        EXPECT_FALSE(isValidCode(list, code)) << code;
        EXPECT_FALSE(standsFor(list, code).has_value()) << code;
    }
    for (const ChoiceList list : kAllLists) {
        const std::string_view badCodes[] = {"01", " 1", "1 ", "", "-1", "+1", "a", "1\r", std::string_view("\0", 1)};
        for (const std::string_view bad : badCodes)
            EXPECT_FALSE(isValidCode(list, bad)) << '[' << bad << ']';
        EXPECT_TRUE(isValidCode(list, "0"));
        EXPECT_TRUE(isValidCode(list, "1"));
    }
}

TEST(ChoiceLists, russianTextsFindTheirCodes)
{
    for (const ChoiceList list : kAllLists) {
        const auto choices = choicesOf(list);
        for (std::size_t position = 0; position < choices.size(); ++position)
            EXPECT_EQ(codeOfRussianText(list, choices[position].russian), std::to_string(position));
        // English texts never match: defaults do not depend on the interface language.
        if (choices[1].english != choices[1].russian) {
            EXPECT_FALSE(codeOfRussianText(list, choices[1].english).has_value());
        }
    }
}

} // namespace
} // namespace zv
