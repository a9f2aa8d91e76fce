#include "profiles/ChoiceLists.h"

#include <array>

namespace zv {

namespace {

constexpr std::array<Choice, 4> kDateSeparators = {{
    {"НЕТ (Слитно)", "NO (Conjoint)", ""},
    {"\".\" - Точка", "\".\" - Point", "."},
    {"\"-\" - Тире", "\"-\" - Dash", "-"},
    {"\"/\" - Дробь", "\"/\" - Ratio", "/"},
}};

constexpr std::array<Choice, 3> kTimeSeparators = {{
    {"НЕТ (Слитно)", "NO (Conjoint)", ""},
    {"\":\" - Двоеточие", "\":\" - Colon", ":"},
    {"\".\" - Точка", "\".\" - Point", "."},
}};

constexpr std::array<Choice, 3> kDateTimeSeparators = {{
    {"НЕТ (Слитно)", "NO (Conjoint)", ""},
    {"\" \" - Пробел", "\" \" - Gap", " "},
    {"ENTER", "ENTER", "\r\n"},
}};

constexpr std::array<Choice, 2> kYesNoFlags = {{
    {"\"Y\" - Есть", "\"Y\" - Yes", "Y"},
    {"\"N\" - Нет", "\"N\" - No", "N"},
}};

// The position a code names, if it names one of the list's choices.
std::optional<std::size_t> positionOf(ChoiceList list, std::string_view code)
{
    if (code.size() != 1 || code[0] < '0' || code[0] > '9')
        return std::nullopt;
    const auto position = static_cast<std::size_t>(code[0] - '0');
    if (position >= choicesOf(list).size())
        return std::nullopt;
    return position;
}

} // namespace

std::span<const Choice> choicesOf(ChoiceList list)
{
    switch (list) {
    case ChoiceList::DateSeparator:
        return kDateSeparators;
    case ChoiceList::TimeSeparator:
        return kTimeSeparators;
    case ChoiceList::DateTimeSeparator:
        return kDateTimeSeparators;
    case ChoiceList::YesNoFlag:
        return kYesNoFlags;
    }
    return {};
}

std::optional<ChoiceList> choiceListOf(ProfileField field)
{
    switch (field) {
    case ProfileField::DateSeparatorCode:
        return ChoiceList::DateSeparator;
    case ProfileField::TimeSeparatorCode:
        return ChoiceList::TimeSeparator;
    case ProfileField::DateTimeSeparatorCode:
        return ChoiceList::DateTimeSeparator;
    case ProfileField::TimeStampCode:
    case ProfileField::SpareFlagCode:
        return ChoiceList::YesNoFlag;
    case ProfileField::ModelName:
    case ProfileField::FileBaseName:
        break;
    }
    return std::nullopt;
}

std::vector<std::string_view> displayTexts(ChoiceList list, Language language)
{
    std::vector<std::string_view> texts;
    for (const Choice& choice : choicesOf(list))
        texts.push_back(language == Language::Russian ? choice.russian : choice.english);
    return texts;
}

bool isValidCode(ChoiceList list, std::string_view code) { return positionOf(list, code).has_value(); }

std::optional<std::string_view> standsFor(ChoiceList list, std::string_view code)
{
    const auto position = positionOf(list, code);
    if (!position)
        return std::nullopt;
    return choicesOf(list)[*position].standsFor;
}

std::optional<std::string> codeOfRussianText(ChoiceList list, std::string_view text)
{
    const auto choices = choicesOf(list);
    for (std::size_t position = 0; position < choices.size(); ++position) {
        if (choices[position].russian == text)
            return codeOfPosition(static_cast<int>(position));
    }
    return std::nullopt;
}

std::string codeOfPosition(int position) { return std::to_string(position); }

} // namespace zv
