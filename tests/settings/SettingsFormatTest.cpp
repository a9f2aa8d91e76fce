#include "settings/SettingsFormat.h"
#include "profiles/DefaultProfiles.h"

#include <gtest/gtest.h>

namespace zv {
namespace {

std::string lines(std::initializer_list<std::string_view> texts)
{
    std::string bytes;
    for (const auto text : texts)
        bytes.append(text).append("\r\n");
    return bytes;
}

TEST(SettingsLineSplitter, lineEndsCarriageReturnsAndCtrlZ)
{
    struct Case {
        std::string_view name;
        std::string_view bytes;
        std::vector<std::string> firstLines;
    };
    const Case cases[] = {
        {"CR LF", "MD80\r\nTAG\r\n", {"MD80", "TAG", ""}},
        {"bare LF", "MD80\nTAG\n", {"MD80", "TAG", ""}},
        {"last line without end", "MD80\r\nTAG", {"MD80", "TAG", ""}},
        {"lone CR dropped", "TA\rG\r\n2", {"TAG", "2"}},
        {"CR CR LF", "TAG\r\r\n2", {"TAG", "2"}},
        {"CR at the end", "TAG\r", {"TAG", ""}},
        {"Ctrl-Z ends the file",
            "MD80\r\nT\x1A"
            "AG\r\n2\r\n",
            {"MD80", "T", ""}},
        {"Ctrl-Z after CR", "TAG\r\x1A\n2", {"TAG", ""}},
        {"empty file", "", {"", ""}},
        {"empty lines", "\r\n\n\r\nX", {"", "", "", "X"}},
        {"other bytes kept", std::string_view("a b\t\xC0\0z\n", 8), {std::string("a b\t\xC0\0z", 7), ""}},
    };
    for (const Case& c : cases) {
        const RawSettingsLines result = splitSettingsLines(c.bytes);
        for (std::size_t i = 0; i < c.firstLines.size(); ++i)
            EXPECT_EQ(result[i], c.firstLines[i]) << c.name << ", line " << i + 1;
    }
}

TEST(SettingsLineSplitter, linesAfterTheSeventiethAreNeverRead)
{
    std::string bytes;
    for (int n = 1; n <= 75; ++n)
        bytes += "line" + std::to_string(n) + "\r\n";
    SettingsLineSplitter splitter;
    EXPECT_FALSE(splitter.feed(bytes));
    const RawSettingsLines result = splitter.take();
    EXPECT_EQ(result.front(), "line1");
    EXPECT_EQ(result.back(), "line70");
}

TEST(SettingsLineSplitter, chunkBoundariesDoNotMatter)
{
    const std::string bytes = "MD80\r\nTAG\r\n2\r\r\n1\n1\r\nname with a very long tail " + std::string(10000, 'x');
    const RawSettingsLines whole = splitSettingsLines(bytes);
    for (std::size_t chunk : {1u, 2u, 3u, 7u}) {
        SettingsLineSplitter splitter;
        for (std::size_t at = 0; at < bytes.size(); at += chunk)
            splitter.feed(std::string_view(bytes).substr(at, chunk));
        EXPECT_EQ(splitter.take(), whole) << "chunk " << chunk;
    }
    EXPECT_EQ(whole[5].size(), 27u + 10000u); // no length limit
}

TEST(SettingsFileText, defaultsAreSeventyCrLfLinesInBlockOrder)
{
    const std::string text = settingsFileText(DefaultProfiles());
    const std::string firstFourteen =
        lines({"MD80", "TAG", "2", "1", "1", "0", "1", "MD80SE", "time", "1", "1", "1", "0", "1"});
    EXPECT_EQ(text.substr(0, firstFourteen.size()), firstFourteen);
    EXPECT_NE(text.find(lines({"DV-033", "time", "1", "2", "1", "0", "1", "Q5", "TIMERSET", "0", "0", "0", "0", "1"})),
        std::string::npos);
    EXPECT_EQ(text.substr(text.size() - 8), "\r\n0\r\n1\r\n"); // RS-301's flags, each line ended
    std::size_t crlf = 0;
    for (std::size_t at = text.find("\r\n"); at != std::string::npos; at = text.find("\r\n", at + 2))
        ++crlf;
    EXPECT_EQ(crlf, 70u);
    EXPECT_EQ(text.find('\n'), text.find("\r\n") + 1);
}

TEST(SettingsFileText, namesComeFromTheModelListWhateverTheTableSays)
{
    ProfileTable table = DefaultProfiles();
    table[0].ModelName = "XYZ";
    EXPECT_EQ(settingsFileText(table).substr(0, 6), "MD80\r\n");
}

TEST(Proverka_INI, readsBackWhatWasWrittenUnchanged)
{
    ProfileTable table = DefaultProfiles();
    table[1].FileBaseName = "my time \xE4\xE0";
    table[4] = {"DV-033", "", "3", "0", "2", "1", "0"};
    EXPECT_EQ(Proverka_INI(splitSettingsLines(settingsFileText(table))), table);
}

TEST(Proverka_INI, takesNamesFromTheListAndKeepsBaseNamesAsTheyAre)
{
    RawSettingsLines raw = splitSettingsLines(settingsFileText(DefaultProfiles()));
    raw[0] = "XYZ";
    raw[1] = "  spaced  ";
    raw[8] = "";
    const ProfileTable table = Proverka_INI(raw);
    EXPECT_EQ(table[0].ModelName, "MD80");
    EXPECT_EQ(table[0].FileBaseName, "  spaced  ");
    EXPECT_EQ(table[1].FileBaseName, "");
}

TEST(Proverka_INI, eachInvalidCodeFallsBackToItsOwnModelsDefault)
{
    // Line of the block -> expected fallback for each model, MD80 first.
    const std::pair<std::size_t, std::string_view> fallbacks[] = {
        {2, "2111100021"}, // date separator
        {3, "1111200011"}, // time separator
        {4, "1111100011"}, // date-time separator
        {5, "0000000000"}, // time stamp
        {6, "1111111111"}, // spare flag
    };
    for (const std::string_view bad : {"5", "01", " 1", "1 ", "", "9", "-1"}) {
        for (const auto& [line, expected] : fallbacks) {
            RawSettingsLines raw = splitSettingsLines(settingsFileText(DefaultProfiles()));
            for (std::size_t m = 0; m < kModelCount; ++m)
                raw[m * kProfileFieldCount + line] = bad;
            const ProfileTable table = Proverka_INI(raw);
            for (ModelIndex m = 0; m < kModelCount; ++m) {
                const auto field = static_cast<ProfileField>(line);
                EXPECT_EQ(fieldOf(profileOf(table, m), field), expected.substr(static_cast<std::size_t>(m), 1))
                    << modelName(m) << " line " << line + 1 << " [" << bad << "]";
            }
        }
    }
}

TEST(Proverka_INI, aTenLineFileFillsTheRestFromTheDefaults)
{
    const ProfileTable table =
        Proverka_INI(splitSettingsLines(lines({"MD80", "TAG", "3", "x", "0", "1", "0", "MD80SE", "clock", "2"})));
    EXPECT_EQ(table[0], (CameraProfile{"MD80", "TAG", "3", "1", "0", "1", "0"}));
    EXPECT_EQ(table[1], (CameraProfile{"MD80SE", "clock", "2", "1", "1", "0", "1"}));
    for (ModelIndex m = 2; m < kModelCount; ++m) {
        CameraProfile expected = profileOf(DefaultProfiles(), m);
        expected.FileBaseName.clear();
        EXPECT_EQ(profileOf(table, m), expected) << modelName(m);
    }
}

TEST(Proverka_INI, aSpareFlagOfZeroIsKept)
{
    RawSettingsLines raw = splitSettingsLines(settingsFileText(DefaultProfiles()));
    raw[6] = "0";
    EXPECT_EQ(Proverka_INI(raw)[0].SpareFlagCode, "0");
}

} // namespace
} // namespace zv
