#include "settings/OwnFormatsText.h"

#include <gtest/gtest.h>

namespace zv {
namespace {

using namespace std::string_literals;

const OwnFormat kKeychain{"Keychain 8", "tag.txt", "[date]\n{year}/{month}/{day}\n{hour}:{minute}:{second}"};
const OwnFormat kPlain{"Plain", "TIME", "{year}.{month}.{day}", LineBreak::Lf, false};

std::string block(std::string_view name, std::string_view body = "file=TIME\r\nline={year}\r\n")
{
    return "[format]\r\nname=" + std::string(name) + "\r\n" + std::string(body) + "[end]\r\n";
}

TEST(OwnFormatsTextTest, writesOneBlockPerFormatInCrLfLines)
{
    EXPECT_EQ(ownFormatsText(std::vector{kKeychain, kPlain}),
        "# Zentrik Vesmar: own time-file formats\r\n"
        "\r\n"
        "[format]\r\n"
        "name=Keychain 8\r\n"
        "file=tag.txt\r\n"
        "break=crlf\r\n"
        "final=yes\r\n"
        "line=[date]\r\n"
        "line={year}/{month}/{day}\r\n"
        "line={hour}:{minute}:{second}\r\n"
        "[end]\r\n"
        "\r\n"
        "[format]\r\n"
        "name=Plain\r\n"
        "file=TIME\r\n"
        "break=lf\r\n"
        "final=no\r\n"
        "line={year}.{month}.{day}\r\n"
        "[end]\r\n");
}

TEST(OwnFormatsTextTest, everyByteOfNamesFileNamesAndTemplatesComesBack)
{
    std::string everyByte;
    for (int byte = 1; byte < 256; ++byte) {
        if (byte != '{' && byte != '}')
            everyByte += static_cast<char>(byte);
    }
    const std::vector<OwnFormat> formats = {
        {"a\\b \\n = [end] ", "x=[format]#;%", "", LineBreak::Lf, true},
        {"Камера № 1 🎥", "время.txt", std::string("\0\x01\x1F\x7F\t\\x41\\", 10) + "{{stamp}}", LineBreak::CrLf, false},
        {"every byte", "f", everyByte, LineBreak::Lf, false},
        {"lines", "g", "\n[end]\n[format]\nline=x\n\r\n\r\r{stamp}\n\n", LineBreak::CrLf, true},
        {"empty lines", "h", "\n", LineBreak::Lf, false},
    };
    const std::string text = ownFormatsText(formats);
    const OwnFormatsRead read = readOwnFormatsText(text);
    EXPECT_TRUE(read.problems.empty());
    EXPECT_EQ(read.formats, formats);
    EXPECT_EQ(ownFormatsText(read.formats), text);
}

TEST(OwnFormatsTextTest, aDamagedBlockCostsOnlyItself)
{
    const struct {
        std::string_view what;
        std::string block2;
        std::string_view reason;
    } cases[] = {
        {"unknown escape", block("a\\qb"), "bad escape"},
        {"short hex escape", block("a\\x4"), "bad escape"},
        {"bad hex escape", block("a\\xZZ"), "bad escape"},
        {"backslash at the end", block("a\\"), "bad escape"},
        {"raw NUL", block(std::string("a\0b", 3)), "control byte not escaped"},
        {"raw tab", block("a\tb"), "control byte not escaped"},
        {"bad break", block("B", "file=f\r\nbreak=CRLF\r\n"), "bad break value"},
        {"bad final", block("B", "file=f\r\nfinal=1\r\n"), "bad final value"},
        {"name twice", block("B", "name=C\r\nfile=f\r\n"), "a key given twice"},
        {"file twice", block("B", "file=f\r\nfile=f\r\n"), "a key given twice"},
        {"no name", "[format]\r\nfile=f\r\n[end]\r\n", "no name"},
        {"no file", block("B", "line=x\r\n"), "no file name"},
        {"duplicate name", block("KEYCHAIN 8"), "name used by an earlier format"},
        {"built-in name", block("Q7N"), "name of a built-in model"},
        {"long name", block(std::string(33, 'n')), "name longer than 32 characters"},
        {"bad file name", block("B", "file=a/b\r\n"), "folder separator in the file name"},
        {"bad template", block("B", "file=f\r\nline={yaer}\r\n"), "stray brace in the template"},
        {"template too long", block("B", "file=f\r\nline=" + std::string(600, 'x') + "\r\n"),
            "template too long for a camera file"},
        {"too many lines",
            block(
                "B",
                "file=f\r\nbreak=lf\r\nfinal=no\r\n" +
                    [] {
                        std::string lines;
                        for (int i = 0; i < 2002; ++i)
                            lines += "line=\r\n";
                        return lines;
                    }()),
            "too many lines"},
        {"cut short", "[format]\r\nname=B\r\nfile=f\r\n", "cut short: no [end]"},
        {"cut short by NULs", "[format]\r\nname=B\r\nfile=f\r\n[en\0\0\0]\r\n"s, "cut short: no [end]"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const std::string text =
            ownFormatsText(std::vector{kKeychain}) + c.block2 + ownFormatsText(std::vector{kPlain});
        const OwnFormatsRead read = readOwnFormatsText(text);
        EXPECT_EQ(read.formats, (std::vector{kKeychain, kPlain}));
        EXPECT_EQ(read.problems, (std::vector<OwnFormatsProblem>{{2, std::string(c.reason)}}));
    }
}

TEST(OwnFormatsTextTest, readsWhatAnEditorMayHaveMadeOfTheFile)
{
    const std::string written = ownFormatsText(std::vector{kKeychain, kPlain});
    const auto replaced = [&written](std::string_view from, std::string_view to) {
        std::string text;
        for (std::size_t at = 0; at < written.size();) {
            if (written.compare(at, from.size(), from) == 0) {
                text += to;
                at += from.size();
            } else {
                text += written[at++];
            }
        }
        return text;
    };
    const struct {
        std::string_view what;
        std::string text;
    } cases[] = {
        {"LF line ends", replaced("\r\n", "\n")},
        {"no line end after the last", written.substr(0, written.size() - 2)},
        {"unknown keys, notes and sections",
            replaced("final=", "colour=red\r\nnote\r\n[end\r\nfinal=") + "[end]\r\n[other]\r\nname=x\r\n"},
        {"lower-case hex escapes", replaced("[date]", "\\x5bdate\\x5D")},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const OwnFormatsRead read = readOwnFormatsText(c.text);
        EXPECT_EQ(read.formats, (std::vector{kKeychain, kPlain}));
        EXPECT_TRUE(read.problems.empty());
    }
}

TEST(OwnFormatsTextTest, aBlockWithoutBreakOrFinalTakesTheDefaults)
{
    const OwnFormatsRead read = readOwnFormatsText(block("B"));
    ASSERT_EQ(read.formats.size(), 1u);
    EXPECT_EQ(read.formats[0], (OwnFormat{"B", "TIME", "{year}", LineBreak::CrLf, true}));
}

TEST(OwnFormatsTextTest, formatsBeyondTwentyAreDroppedAndReported)
{
    std::string text = block("not counted", "line=}\r\n");
    for (int i = 1; i <= 23; ++i)
        text += block("F" + std::to_string(i));
    const OwnFormatsRead read = readOwnFormatsText(text);
    ASSERT_EQ(read.formats.size(), 20u);
    EXPECT_EQ(read.formats.back().name, "F20");
    EXPECT_EQ(read.problems,
        (std::vector<OwnFormatsProblem>{{1, "no file name"}, {22, "more than 20 formats"}, {23, "more than 20 formats"},
            {24, "more than 20 formats"}}));
}

TEST(OwnFormatsTextTest, aFileCutAnywhereLoadsOnlyTheBlocksItStillHoldsWhole)
{
    const std::vector formats = {kKeychain, kPlain};
    const std::string text = ownFormatsText(formats);
    const std::size_t firstEnd = text.find("[end]") + 5;
    for (std::size_t length = 0; length <= text.size(); ++length) {
        SCOPED_TRACE(length);
        const OwnFormatsRead read = readOwnFormatsText(text.substr(0, length));
        const std::size_t whole = length >= text.size() - 2 ? 2 : length >= firstEnd ? 1 : 0;
        EXPECT_EQ(read.formats, std::vector(formats.begin(), formats.begin() + static_cast<std::ptrdiff_t>(whole)));
    }
}

} // namespace
} // namespace zv
