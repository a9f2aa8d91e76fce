#include "profiles/DefaultProfiles.h"

#include "profiles/ChoiceLists.h"

#include <stdexcept>
#include <string_view>

namespace zv {

namespace {

// A default is named by the Russian text of its choice, so the codes cannot drift from the
// lists the settings window shows.
struct DefaultChoices {
    std::string_view fileBaseName;
    std::string_view date;
    std::string_view time;
    std::string_view dateTime;
    std::string_view timeStamp;
    std::string_view spareFlag;
};

constexpr std::string_view kJoined = "НЕТ (Слитно)";
constexpr std::string_view kDot = "\".\" - Точка";
constexpr std::string_view kDash = "\"-\" - Тире";
constexpr std::string_view kColon = "\":\" - Двоеточие";
constexpr std::string_view kSpace = "\" \" - Пробел";
constexpr std::string_view kYes = "\"Y\" - Есть";
constexpr std::string_view kNo = "\"N\" - Нет";

constexpr std::array<DefaultChoices, kModelCount> kDefaultChoices = {{
    {"TAG", kDash, kColon, kSpace, kYes, kNo}, // MD80
    {"time", kDot, kColon, kSpace, kYes, kNo}, // MD80SE
    {"time", kDot, kColon, kSpace, kYes, kNo}, // G100
    {"time", kDot, kColon, kSpace, kYes, kNo}, // G160
    {"time", kDot, kDot, kSpace, kYes, kNo}, // DV-033
    {"TIMERSET", kJoined, kJoined, kJoined, kYes, kNo}, // Q5
    {"TIMERSET", kJoined, kJoined, kJoined, kYes, kNo}, // Q6
    {"TIMERSET", kJoined, kJoined, kJoined, kYes, kNo}, // Q7N
    {"TIME", kDash, kColon, kSpace, kYes, kNo}, // RS-101
    {"TIME", kDot, kColon, kSpace, kYes, kNo}, // RS-301
}};

std::string codeOf(ChoiceList list, std::string_view russianText)
{
    auto code = codeOfRussianText(list, russianText);
    if (!code)
        throw std::logic_error("default choice missing from its list");
    return *code;
}

ProfileTable buildDefaults()
{
    ProfileTable table;
    for (ModelIndex m = 0; m < kModelCount; ++m) {
        const DefaultChoices& choices = kDefaultChoices[static_cast<std::size_t>(m)];
        table[static_cast<std::size_t>(m)] = CameraProfile{
            std::string(modelName(m)),
            std::string(choices.fileBaseName),
            codeOf(ChoiceList::DateSeparator, choices.date),
            codeOf(ChoiceList::TimeSeparator, choices.time),
            codeOf(ChoiceList::DateTimeSeparator, choices.dateTime),
            codeOf(ChoiceList::YesNoFlag, choices.timeStamp),
            codeOf(ChoiceList::YesNoFlag, choices.spareFlag),
        };
    }
    return table;
}

} // namespace

const ProfileTable& DefaultProfiles()
{
    static const ProfileTable defaults = buildDefaults();
    return defaults;
}

} // namespace zv
