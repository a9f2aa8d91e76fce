#pragma once

#include "profiles/CameraProfile.h"

#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace zv {

// The four lists from which the coded profile fields are chosen. A code is the position of
// its choice in the list, written as one decimal digit.
enum class ChoiceList {
    DateSeparator,
    TimeSeparator,
    DateTimeSeparator,
    YesNoFlag, // TimeStampCode and SpareFlagCode
};

enum class Language { Russian, English };

struct Choice {
    std::string_view russian; // display texts, UTF-8
    std::string_view english;
    std::string_view standsFor; // what the choice puts into the time file
};

// The choices of a list in code order.
[[nodiscard]] std::span<const Choice> choicesOf(ChoiceList list);

// The list a coded field takes its values from; nullopt for ModelName and FileBaseName.
[[nodiscard]] std::optional<ChoiceList> choiceListOf(ProfileField field);

// The display texts of a list in code order, in the given language.
[[nodiscard]] std::vector<std::string_view> displayTexts(ChoiceList list, Language language);

// True when `code` is exactly one of the list's codes: one digit, nothing around it.
[[nodiscard]] bool isValidCode(ChoiceList list, std::string_view code);

// What a valid code puts into the time file; nullopt for any other text.
[[nodiscard]] std::optional<std::string_view> standsFor(ChoiceList list, std::string_view code);

// The code of the choice whose Russian text is exactly `text`.
[[nodiscard]] std::optional<std::string> codeOfRussianText(ChoiceList list, std::string_view text);

// A list position as the code stored in a profile: 2 gives "2".
[[nodiscard]] std::string codeOfPosition(int position);

} // namespace zv
