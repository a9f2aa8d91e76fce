#include "profiles/OwnFormat.h"
#include "profiles/OwnFormatStartingPoints.h"

#include <gtest/gtest.h>

#include <vector>

namespace zv {
namespace {

OwnFormat validFormat(std::string name = "Keychain")
{
    return {std::move(name), "tag.txt", "{year}{month}{day}", LineBreak::CrLf, true};
}

TEST(OwnFormatTest, namesAreCheckedByCharactersAndShowability)
{
    const struct {
        std::string name;
        NameProblem problem;
    } cases[] = {
        {"Keychain 8", NameProblem::None},
        {"x", NameProblem::None},
        {std::string(32, 'n'), NameProblem::None},
        {std::string(33, 'n'), NameProblem::TooLong},
        {"Камера для дачи, вторая, № 12345", NameProblem::None}, // 32 characters, 53 bytes
        {"Камера для дачи, вторая, № 123456", NameProblem::TooLong},
        {"", NameProblem::Empty},
        {"   ", NameProblem::Blank},
        {"\xC2\xA0\xE3\x80\x80", NameProblem::Blank}, // no-break and ideographic spaces
        {" a ", NameProblem::None},
        {"a\tb", NameProblem::ControlCharacter},
        {"a\nb", NameProblem::ControlCharacter},
        {std::string("a\0b", 3), NameProblem::ControlCharacter},
        {"a\x7F", NameProblem::ControlCharacter},
        {"a\xC2\x85", NameProblem::ControlCharacter}, // C1 next line
        {"\xCA\xE0\xEC\xE5\xF0\xE0", NameProblem::NotUtf8}, // Windows-1251
        {"md80", NameProblem::BuiltInModel},
        {"RS-301", NameProblem::BuiltInModel},
        {"RS-301 mine", NameProblem::None},
    };
    for (const auto& c : cases)
        EXPECT_EQ(checkOwnFormatName(c.name), c.problem) << c.name;
}

TEST(OwnFormatTest, fileNamesAreOnesEveryCardAndSystemWritesAsGiven)
{
    using P = FileNameProblem;
    const struct {
        std::string fileName;
        FileNameProblem problem;
    } cases[] = {
        {"TIMESET.TXT", P::None},
        {"TIME", P::None},
        {"tag.txt", P::None},
        {".hidden", P::None},
        {"время.txt", P::None},
        {" lead", P::None},
        {std::string(64, 'f'), P::None},
        {std::string(65, 'f'), P::TooLong},
        {std::string(30, '\xD0') + "\xD0\xB6\xD0\xB6", P::NotUtf8},
        {std::string(32, 'x') + std::string(33, '\x01'), P::ControlCharacter},
        {"", P::Empty},
        {"   ", P::Blank},
        {".", P::DotName},
        {"...", P::TrailingSpaceOrDot},
        {"a/b", P::Separator},
        {"a\\b", P::Separator},
        {"C:TIME", P::ForbiddenCharacter},
        {"time.txt:stream", P::ForbiddenCharacter},
        {"what?.txt", P::ForbiddenCharacter},
        {"a<b>", P::ForbiddenCharacter},
        {"time.txt ", P::TrailingSpaceOrDot},
        {"time.", P::TrailingSpaceOrDot},
        {"time\r\n", P::ControlCharacter},
        {"CON", P::DeviceName},
        {"nul.txt", P::DeviceName},
        {"Aux .txt", P::DeviceName},
        {"com1", P::DeviceName},
        {"COM\xC2\xB9", P::DeviceName},
        {"CONOUT$", P::DeviceName},
        {"console.txt", P::None},
        {"com10", P::None},
        {"com", P::None},
    };
    for (const auto& c : cases)
        EXPECT_EQ(checkTimeFileName(c.fileName), c.problem) << c.fileName;
}

TEST(OwnFormatTest, templatesAreCheckedForBracesAndTheirFilesSize)
{
    using P = TemplateProblem;
    // 505 literal bytes and two digits: with CR LF after the line, 509 bytes of file.
    const std::string nearCap = std::string(505, 'x') + "{day}";
    // 1,995 bytes of text for 285 bytes of file.
    const std::string manyFields = [] {
        std::string fields;
        while (fields.size() + 7 <= 2000)
            fields += "{stamp}";
        return fields;
    }();
    const struct {
        std::string text;
        LineBreak lineBreak;
        bool breakAfterLast;
        TemplateProblem problem;
        bool hasNoField;
    } cases[] = {
        {"{year}", LineBreak::CrLf, true, P::None, false},
        {"", LineBreak::CrLf, true, P::None, true},
        {"[date]", LineBreak::CrLf, true, P::None, true},
        {"{{stamp}}", LineBreak::CrLf, true, P::None, true},
        {"{yaer}", LineBreak::CrLf, true, P::BadBrace, false},
        {"}", LineBreak::CrLf, true, P::BadBrace, false},
        {std::string(510, 'x'), LineBreak::CrLf, true, P::None, true},
        {std::string(511, 'x'), LineBreak::CrLf, true, P::TooLongForCameraFile, false},
        {std::string(511, 'x'), LineBreak::Lf, true, P::None, true},
        {std::string(512, 'x'), LineBreak::Lf, false, P::None, true},
        {std::string(513, 'x'), LineBreak::Lf, false, P::TooLongForCameraFile, false},
        {nearCap + "{second}\n", LineBreak::CrLf, true, P::TooLongForCameraFile, false},
        {nearCap + "{stamp}", LineBreak::CrLf, true, P::None, false},
        {nearCap + "{year}", LineBreak::CrLf, true, P::TooLongForCameraFile, false},
        {std::string(255, '\n'), LineBreak::CrLf, true, P::None, true}, // 256 breaks of 2 bytes
        {std::string(256, '\n'), LineBreak::CrLf, true, P::TooLongForCameraFile, false},
        {std::string(250, '{') + std::string(250, '}'), LineBreak::CrLf, true, P::None, true},
        {manyFields + "12345", LineBreak::Lf, false, P::None, false},
        {manyFields + "123456", LineBreak::Lf, false, P::TextTooLong, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text.substr(0, 40));
        OwnFormat format = validFormat();
        format.templateText = c.text;
        format.lineBreak = c.lineBreak;
        format.breakAfterLast = c.breakAfterLast;
        const OwnFormatCheck check = checkOwnFormat(format);
        EXPECT_EQ(check.templateProblem, c.problem);
        EXPECT_EQ(check.ok(), c.problem == P::None);
        EXPECT_EQ(check.hasNoField, c.hasNoField);
        EXPECT_EQ(check.templateError.has_value(), c.problem == P::BadBrace);
    }
}

TEST(OwnFormatTest, aBadBraceIsReportedWhereItIs)
{
    OwnFormat format = validFormat();
    format.templateText = "[date]\n{year}/{mon}/{day}";
    const OwnFormatCheck check = checkOwnFormat(format);
    ASSERT_TRUE(check.templateError.has_value());
    EXPECT_EQ(check.templateError->kind, TemplateError::Kind::UnknownField);
    EXPECT_EQ(check.templateError->line, 2u);
    EXPECT_EQ(check.templateError->column, 8u);
    EXPECT_EQ(englishReason(check), "stray brace in the template");
}

TEST(OwnFormatTest, namesAreUniqueInAListWithoutRegardToAsciiCase)
{
    const std::vector<OwnFormat> others = {validFormat("Дача"), validFormat("Keychain")};
    const struct {
        std::string name;
        NameProblem problem;
    } cases[] = {
        {"keychain", NameProblem::Taken},
        {"KEYCHAIN", NameProblem::Taken},
        {"Дача", NameProblem::Taken},
        {"ДАЧА", NameProblem::None}, // only ASCII letters fold
        {"Keychain ", NameProblem::None},
        {"Keychain 2", NameProblem::None},
    };
    for (const auto& c : cases)
        EXPECT_EQ(checkOwnFormat(validFormat(c.name), others).name, c.problem) << c.name;
    EXPECT_EQ(checkOwnFormat(validFormat("keychain")).name, NameProblem::None);
}

TEST(OwnFormatTest, aListIsValidUpToTwentyFormatsWithDistinctNames)
{
    std::vector<OwnFormat> formats;
    for (int i = 0; i < 20; ++i)
        formats.push_back(validFormat("Format " + std::to_string(i)));
    EXPECT_EQ(firstInvalidOwnFormat(formats), std::nullopt);
    EXPECT_EQ(firstInvalidOwnFormat({}), std::nullopt);

    formats.push_back(validFormat("Format 20"));
    EXPECT_EQ(firstInvalidOwnFormat(formats), 20u);
    formats[7].name = "FORMAT 3";
    EXPECT_EQ(firstInvalidOwnFormat(formats), 7u);
    formats[2].fileName = "a/b";
    EXPECT_EQ(firstInvalidOwnFormat(formats), 2u);
}

TEST(OwnFormatTest, startingPointsAreValidBesideTheEmptyOneAndNamedInBothLanguages)
{
    const auto points = ownFormatStartingPoints();
    ASSERT_EQ(points.size(), 4u);
    std::vector<OwnFormat> accepted;
    for (const OwnFormatStartingPoint& point : points.first(3)) {
        SCOPED_TRACE(point.english);
        EXPECT_FALSE(point.russian.empty());
        EXPECT_TRUE(checkOwnFormat(point.format, accepted).ok());
        EXPECT_FALSE(checkOwnFormat(point.format).hasNoField);
        accepted.push_back(point.format);
    }
    EXPECT_EQ(points[0].format.fileName, "tag.txt");
    EXPECT_EQ(points[1].format.fileName, "TIMESET.TXT");
    EXPECT_EQ(points[2].format.fileName, "TIME");
    EXPECT_EQ(points[3].english, "empty");
    EXPECT_EQ(points[3].format, OwnFormat{});
}

} // namespace
} // namespace zv
