#pragma once

#include "profiles/TimeTemplate.h"

#include <cstddef>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace zv {

// A time-file format of the camera owner's own, beside the built-in models.
struct OwnFormat {
    std::string name; // shown in the model list, UTF-8
    std::string fileName; // the whole name written into the card's root, extension and all
    std::string templateText; // see TimeTemplate
    LineBreak lineBreak = LineBreak::CrLf;
    bool breakAfterLast = true;

    friend bool operator==(const OwnFormat&, const OwnFormat&) = default;
};

inline constexpr std::size_t kMostOwnFormats = 20;
inline constexpr std::size_t kMostOwnFormatNameCharacters = 32;
inline constexpr std::size_t kMostTimeFileNameBytes = 64;
inline constexpr std::size_t kMostTemplateTextBytes = 2000;
// Camera files are a line or two; a bigger one is a mistake, not a camera's format.
inline constexpr std::size_t kMostComposedBytes = 512;

enum class NameProblem {
    None,
    Empty,
    NotUtf8,
    ControlCharacter,
    TooLong, // more than 32 characters
    Blank, // only spaces
    BuiltInModel, // the name of one of the ten models, which share the model list
    Taken, // another own format has it, letter case aside
};

enum class FileNameProblem {
    None,
    Empty,
    NotUtf8,
    ControlCharacter,
    Blank,
    DotName, // "." or ".."
    Separator, // '/' or '\'
    ForbiddenCharacter, // one of : * ? " < > |, which Windows and the cards' FAT refuse
    TrailingSpaceOrDot, // Windows strips them, and would write another name
    DeviceName, // CON, NUL, COM1, ...: Windows opens the device, with or without an extension
    TooLong, // more than 64 bytes
};

enum class TemplateProblem {
    None,
    TextTooLong, // more than 2,000 bytes of text
    BadBrace, // see OwnFormatCheck::templateError
    TooLongForCameraFile, // its file could exceed 512 bytes
};

// What is wrong with a format, field by field, so a form can mark each.
struct OwnFormatCheck {
    NameProblem name = NameProblem::None;
    FileNameProblem fileName = FileNameProblem::None;
    TemplateProblem templateProblem = TemplateProblem::None;
    std::optional<TemplateError> templateError; // for BadBrace
    bool hasNoField = false; // allowed, but worth a warning: the file would never change

    [[nodiscard]] bool ok() const
    {
        return name == NameProblem::None && fileName == FileNameProblem::None &&
            templateProblem == TemplateProblem::None;
    }
};

// True when two names are the same for the model list: ASCII letters compare without case.
[[nodiscard]] bool sameOwnFormatName(std::string_view a, std::string_view b);

[[nodiscard]] NameProblem checkOwnFormatName(std::string_view name);
[[nodiscard]] FileNameProblem checkTimeFileName(std::string_view fileName);

// Checks every field of `format`, and its name against `others`: the formats it must not
// share a name with (pass the list without the format itself).
[[nodiscard]] OwnFormatCheck checkOwnFormat(const OwnFormat& format, std::span<const OwnFormat> others = {});

// The first format that fails its check against the ones before it, or the first beyond the
// most a list holds; nullopt when the whole list is valid.
[[nodiscard]] std::optional<std::size_t> firstInvalidOwnFormat(std::span<const OwnFormat> formats);

// The first problem of a failed check in a few English words, for reports; empty when ok.
[[nodiscard]] std::string_view englishReason(const OwnFormatCheck& check);

} // namespace zv
