#include "profiles/OwnFormat.h"

#include "common/AsciiText.h"
#include "common/TextEncoding.h"
#include "profiles/CameraModels.h"

#include <algorithm>
#include <array>

namespace zv {

namespace {

bool equalIgnoringAsciiCase(std::string_view a, std::string_view b)
{
    return std::equal(
        a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) { return asciiLower(x) == asciiLower(y); });
}

// The code points of a text already known to be UTF-8.
template <typename Visit> void forEachCodePoint(std::string_view utf8, Visit visit)
{
    for (std::size_t at = 0; at < utf8.size();) {
        const auto lead = static_cast<unsigned char>(utf8[at]);
        const std::size_t length = lead < 0x80 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
        char32_t c = length == 1 ? lead : lead & (0x7F >> length);
        for (std::size_t i = 1; i < length; ++i)
            c = (c << 6) | (static_cast<unsigned char>(utf8[at + i]) & 0x3F);
        visit(c);
        at += length;
    }
}

// Unicode's control characters: C0, DEL and C1.
bool isControl(char32_t c) { return c < 0x20 || (c >= 0x7F && c <= 0x9F); }

// The characters that show as nothing or as a gap.
bool isSpace(char32_t c)
{
    return c == U' ' || c == U'\u00A0' || c == U'\u1680' || (c >= U'\u2000' && c <= U'\u200B') || c == U'\u2028' ||
        c == U'\u2029' || c == U'\u202F' || c == U'\u205F' || c == U'\u3000' || c == U'\uFEFF';
}

bool anyCodePoint(std::string_view utf8, bool (*test)(char32_t))
{
    bool found = false;
    forEachCodePoint(utf8, [&](char32_t c) { found = found || test(c); });
    return found;
}

bool allCodePoints(std::string_view utf8, bool (*test)(char32_t))
{
    bool all = true;
    forEachCodePoint(utf8, [&](char32_t c) { all = all && test(c); });
    return all;
}

std::size_t codePointCount(std::string_view utf8)
{
    std::size_t count = 0;
    forEachCodePoint(utf8, [&](char32_t) { ++count; });
    return count;
}

// Windows opens these devices for a file name whose part before the first dot, trailing
// spaces aside, is one of them, in any letter case.
bool isDeviceName(std::string_view fileName)
{
    std::string_view base = fileName.substr(0, fileName.find('.'));
    while (base.ends_with(' '))
        base.remove_suffix(1);
    constexpr std::array<std::string_view, 6> kDevices = {"con", "prn", "aux", "nul", "conin$", "conout$"};
    const auto is = [](std::string_view name) {
        return [name](std::string_view device) { return equalIgnoringAsciiCase(name, device); };
    };
    if (std::any_of(kDevices.begin(), kDevices.end(), is(base)))
        return true;
    // COM and LPT take a digit, or a superscript one, two or three.
    constexpr std::array<std::string_view, 2> kNumbered = {"com", "lpt"};
    constexpr std::array<std::string_view, 3> kSuperscripts = {"\xC2\xB9", "\xC2\xB2", "\xC2\xB3"};
    const std::string_view number = base.size() >= 3 ? base.substr(3) : std::string_view{};
    const bool numbered = (number.size() == 1 && number[0] >= '0' && number[0] <= '9') ||
        std::find(kSuperscripts.begin(), kSuperscripts.end(), number) != kSuperscripts.end();
    return numbered && std::any_of(kNumbered.begin(), kNumbered.end(), is(base.substr(0, 3)));
}

// The template's problem and where it lies, and whether it has a field.
void checkTemplateOf(const OwnFormat& format, OwnFormatCheck& check)
{
    if (format.templateText.size() > kMostTemplateTextBytes) {
        check.templateProblem = TemplateProblem::TextTooLong;
        return;
    }
    const TemplateParse parse = TimeTemplate::parse(format.templateText);
    if (parse.error) {
        check.templateProblem = TemplateProblem::BadBrace;
        check.templateError = parse.error;
        return;
    }
    if (parse.parsed.widestComposition(format.lineBreak, format.breakAfterLast) > kMostComposedBytes) {
        check.templateProblem = TemplateProblem::TooLongForCameraFile;
        return;
    }
    check.hasNoField = !parse.parsed.hasField();
}

} // namespace

bool sameOwnFormatName(std::string_view a, std::string_view b) { return equalIgnoringAsciiCase(a, b); }

NameProblem checkOwnFormatName(std::string_view name)
{
    if (name.empty())
        return NameProblem::Empty;
    if (!isValidUtf8(name))
        return NameProblem::NotUtf8;
    if (anyCodePoint(name, isControl))
        return NameProblem::ControlCharacter;
    if (codePointCount(name) > kMostOwnFormatNameCharacters)
        return NameProblem::TooLong;
    if (allCodePoints(name, isSpace))
        return NameProblem::Blank;
    const auto builtIn = [name](std::string_view model) { return equalIgnoringAsciiCase(name, model); };
    if (std::any_of(kModelNames.begin(), kModelNames.end(), builtIn))
        return NameProblem::BuiltInModel;
    return NameProblem::None;
}

FileNameProblem checkTimeFileName(std::string_view fileName)
{
    if (fileName.empty())
        return FileNameProblem::Empty;
    if (!isValidUtf8(fileName))
        return FileNameProblem::NotUtf8;
    if (anyCodePoint(fileName, isControl))
        return FileNameProblem::ControlCharacter;
    if (allCodePoints(fileName, isSpace))
        return FileNameProblem::Blank;
    if (fileName == "." || fileName == "..")
        return FileNameProblem::DotName;
    if (fileName.find_first_of("/\\") != std::string_view::npos)
        return FileNameProblem::Separator;
    if (fileName.find_first_of(":*?\"<>|") != std::string_view::npos)
        return FileNameProblem::ForbiddenCharacter;
    if (fileName.ends_with(' ') || fileName.ends_with('.'))
        return FileNameProblem::TrailingSpaceOrDot;
    if (isDeviceName(fileName))
        return FileNameProblem::DeviceName;
    if (fileName.size() > kMostTimeFileNameBytes)
        return FileNameProblem::TooLong;
    return FileNameProblem::None;
}

OwnFormatCheck checkOwnFormat(const OwnFormat& format, std::span<const OwnFormat> others)
{
    OwnFormatCheck check;
    check.name = checkOwnFormatName(format.name);
    const auto taken = [&format](const OwnFormat& other) { return sameOwnFormatName(format.name, other.name); };
    if (check.name == NameProblem::None && std::any_of(others.begin(), others.end(), taken))
        check.name = NameProblem::Taken;
    check.fileName = checkTimeFileName(format.fileName);
    checkTemplateOf(format, check);
    return check;
}

std::optional<std::size_t> firstInvalidOwnFormat(std::span<const OwnFormat> formats)
{
    for (std::size_t index = 0; index < formats.size(); ++index) {
        if (index == kMostOwnFormats || !checkOwnFormat(formats[index], formats.first(index)).ok())
            return index;
    }
    return std::nullopt;
}

std::string_view englishReason(const OwnFormatCheck& check)
{
    switch (check.name) {
    case NameProblem::None:
        break;
    case NameProblem::Empty:
        return "no name";
    case NameProblem::NotUtf8:
        return "name is not UTF-8";
    case NameProblem::ControlCharacter:
        return "control character in the name";
    case NameProblem::TooLong:
        return "name longer than 32 characters";
    case NameProblem::Blank:
        return "blank name";
    case NameProblem::BuiltInModel:
        return "name of a built-in model";
    case NameProblem::Taken:
        return "name used by an earlier format";
    }
    switch (check.fileName) {
    case FileNameProblem::None:
        break;
    case FileNameProblem::Empty:
        return "no file name";
    case FileNameProblem::NotUtf8:
        return "file name is not UTF-8";
    case FileNameProblem::ControlCharacter:
        return "control character in the file name";
    case FileNameProblem::Blank:
        return "blank file name";
    case FileNameProblem::DotName:
        return "file name is . or ..";
    case FileNameProblem::Separator:
        return "folder separator in the file name";
    case FileNameProblem::ForbiddenCharacter:
        return "character not allowed in a file name";
    case FileNameProblem::TrailingSpaceOrDot:
        return "file name ends in a space or a dot";
    case FileNameProblem::DeviceName:
        return "file name of a Windows device";
    case FileNameProblem::TooLong:
        return "file name longer than 64 bytes";
    }
    switch (check.templateProblem) {
    case TemplateProblem::None:
        break;
    case TemplateProblem::TextTooLong:
        return "template longer than 2000 bytes";
    case TemplateProblem::BadBrace:
        return "stray brace in the template";
    case TemplateProblem::TooLongForCameraFile:
        return "template too long for a camera file";
    }
    return {};
}

} // namespace zv
