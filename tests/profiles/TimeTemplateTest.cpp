#include "profiles/TimeTemplate.h"

#include <gtest/gtest.h>

namespace zv {
namespace {

using Kind = TemplateError::Kind;

DateTimeParts moment(int year, int month, int day, int hour, int minute, int second)
{
    DateTimeParts parts;
    parts.set(year, month, day, hour, minute, second);
    return parts;
}

std::string composed(std::string_view text, std::string_view stamp = "Y", LineBreak lineBreak = LineBreak::CrLf,
    bool breakAfterLast = true)
{
    const TemplateParse parse = TimeTemplate::parse(text);
    EXPECT_TRUE(parse.ok()) << text;
    std::string out = "left over";
    parse.parsed.compose(moment(2026, 12, 9, 14, 30, 0), stamp, lineBreak, breakAfterLast, out);
    return out;
}

TEST(TimeTemplateTest, composesFieldsLiteralsAndEscapedBraces)
{
    const struct {
        std::string_view text;
        std::string_view file; // without the break after the last line
    } cases[] = {
        {"{year}", "2026"},
        {"{month}", "12"},
        {"{day}", "09"},
        {"{hour}", "14"},
        {"{minute}", "30"},
        {"{second}", "00"},
        {"{stamp}", "Y"},
        {"{year}{month}{day}{hour}{minute}{second}", "20261209143000"},
        {"T={year}-{month} ok", "T=2026-12 ok"},
        {"{{year}}", "{year}"},
        {"{{}}{{{day}}}", "{}{09}"},
        {"a}}b{{c", "a}b{c"},
        {"date: {day}.{month}.{year} {stamp}", "date: 09.12.2026 Y"},
        {"Время {hour}ч — ок", "Время 14ч — ок"}, // bytes outside ASCII as typed
        {"\xC0\xFF{second}\x01\t",
            "\xC0\xFF"
            "00\x01\t"}, // even when not UTF-8
        {"", ""},
        {"no field here", "no field here"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(composed(c.text), std::string(c.file) + "\r\n") << c.text;
}

TEST(TimeTemplateTest, the808Number8FileComposesByteForByte)
{
    EXPECT_EQ(
        composed("[date]\n{year}/{month}/{day}\n{hour}:{minute}:{second}"), "[date]\r\n2026/12/09\r\n14:30:00\r\n");
}

TEST(TimeTemplateTest, linesAreJoinedByTheChosenBreakWhateverTheTextHeld)
{
    const struct {
        std::string_view text;
        LineBreak lineBreak;
        bool breakAfterLast;
        std::string_view file;
    } cases[] = {
        {"{day}\n{hour}", LineBreak::CrLf, true, "09\r\n14\r\n"},
        {"{day}\n{hour}", LineBreak::CrLf, false, "09\r\n14"},
        {"{day}\n{hour}", LineBreak::Lf, true, "09\n14\n"},
        {"{day}\n{hour}", LineBreak::Lf, false, "09\n14"},
        {"{day}\r\n{hour}", LineBreak::Lf, true, "09\n14\n"},
        {"{day}\r{hour}", LineBreak::Lf, true, "09\n14\n"},
        {"{day}\r\r\n\n{hour}", LineBreak::Lf, false, "09\n\n\n14"},
        {"{day}\n", LineBreak::CrLf, true, "09\r\n\r\n"}, // a last empty line is a line
        {"", LineBreak::CrLf, true, "\r\n"},
        {"", LineBreak::Lf, false, ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(composed(c.text, "N", c.lineBreak, c.breakAfterLast), c.file) << c.text;
}

TEST(TimeTemplateTest, composingTheSameTemplateAgainGivesTheNewMomentAndStamp)
{
    const TemplateParse parse = TimeTemplate::parse("{year}-{month}-{day} {hour}:{minute}:{second} {stamp}");
    ASSERT_TRUE(parse.ok());
    std::string out;
    parse.parsed.compose(moment(2026, 12, 9, 14, 30, 0), "Y", LineBreak::CrLf, true, out);
    const auto storage = out.capacity();
    parse.parsed.compose(moment(2027, 1, 2, 3, 4, 5), "N", LineBreak::CrLf, true, out);
    EXPECT_EQ(out, "2027-01-02 03:04:05 N\r\n");
    EXPECT_EQ(out.capacity(), storage);
}

TEST(TimeTemplateTest, aStrayBraceIsAnErrorAtItsPlace)
{
    const struct {
        std::string_view text;
        TemplateError error;
    } cases[] = {
        {"{yaer}", {Kind::UnknownField, 0, 1, 1}}, {"{Year}", {Kind::UnknownField, 0, 1, 1}},
        {"{ year }", {Kind::UnknownField, 0, 1, 1}}, {"{}", {Kind::UnknownField, 0, 1, 1}},
        {"{year", {Kind::UnclosedBrace, 0, 1, 1}}, {"ab{year{month}", {Kind::UnclosedBrace, 2, 1, 3}},
        {"{", {Kind::UnclosedBrace, 0, 1, 1}}, {"{day\n}", {Kind::UnclosedBrace, 0, 1, 1}},
        {"}", {Kind::LoneClosingBrace, 0, 1, 1}}, {"{year}}", {Kind::LoneClosingBrace, 6, 1, 7}},
        {"}}}", {Kind::LoneClosingBrace, 2, 1, 3}}, {"{{{", {Kind::UnclosedBrace, 2, 1, 3}},
        {"{day}\r\n{hour}\n  {sec}", {Kind::UnknownField, 16, 3, 3}},
        {"дата {дата}", {Kind::UnknownField, 9, 1, 6}}, // columns count characters, not bytes
    };
    for (const auto& c : cases) {
        const TemplateParse parse = TimeTemplate::parse(c.text);
        ASSERT_TRUE(parse.error.has_value()) << c.text;
        EXPECT_EQ(*parse.error, c.error) << c.text;
    }
}

TEST(TimeTemplateTest, queriesTellFieldsStampLinesAndTheWidestFile)
{
    const struct {
        std::string_view text;
        bool hasField;
        bool usesStamp;
        std::size_t lines;
        std::size_t widestCrLfAfterLast;
        std::size_t widestLfNoneAfterLast;
    } cases[] = {
        {"", false, false, 1, 2, 0},
        {"{{}}", false, false, 1, 4, 2},
        {"{year}", true, false, 1, 6, 4},
        {"{stamp}", true, true, 1, 3, 1},
        {"[date]\n{year}/{month}/{day}\n{hour}:{minute}:{second}", true, false, 3, 6 + 10 + 8 + 6, 6 + 10 + 8 + 2},
        {"{day}\r\n\r\n", true, false, 3, 2 + 6, 2 + 2},
        {"я{month}", true, false, 1, 2 + 2 + 2, 4},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        const TemplateParse parse = TimeTemplate::parse(c.text);
        ASSERT_TRUE(parse.ok());
        EXPECT_EQ(parse.parsed.hasField(), c.hasField);
        EXPECT_EQ(parse.parsed.usesStamp(), c.usesStamp);
        EXPECT_EQ(parse.parsed.lineCount(), c.lines);
        EXPECT_EQ(parse.parsed.widestComposition(LineBreak::CrLf, true), c.widestCrLfAfterLast);
        EXPECT_EQ(parse.parsed.widestComposition(LineBreak::Lf, false), c.widestLfNoneAfterLast);
    }
}

TEST(TimeTemplateTest, theWidestCompositionBoundsWhatIsComposed)
{
    const TemplateParse parse = TimeTemplate::parse("{year}{month}{day}\n{hour}{minute}{second}{stamp}{{x}}\n");
    ASSERT_TRUE(parse.ok());
    std::string out;
    parse.parsed.compose(moment(9999, 12, 31, 23, 59, 59), "Y", LineBreak::CrLf, true, out);
    EXPECT_EQ(out.size(), parse.parsed.widestComposition(LineBreak::CrLf, true));
}

} // namespace
} // namespace zv
