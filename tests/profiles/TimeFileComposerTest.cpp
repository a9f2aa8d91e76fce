#include "profiles/TimeFileComposer.h"
#include "profiles/DefaultProfiles.h"
#include "profiles/ModelList.h"

#include <gtest/gtest.h>

#include <functional>

namespace zv {
namespace {

class TimeFileComposerTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        values.profileTable = DefaultProfiles();
        values.dateTimeParts.set(2012, 10, 2, 14, 24, 32);
    }

    // The bytes the set button writes: the line and one CR LF.
    std::string fileBytes() const { return values.timeFileText + "\r\n"; }

    SharedValues values;
    TimeFileComposer composer{values};
};

struct WorkedExample {
    ModelIndex model;
    std::string_view baseName;
    std::string_view stampOn;
    std::string_view stampOff;
    std::size_t bytes;
};

TEST_F(TimeFileComposerTest, composesEveryModelsDefaultLineWithStampOnAndOff)
{
    const WorkedExample examples[] = {
        {0, "TAG", "2012-10-02 14:24:32", "2012-10-02 14:24:32", 21},
        {1, "time", "2012.10.02 14:24:32", "2012.10.02 14:24:32", 21},
        {2, "time", "2012.10.02 14:24:32", "2012.10.02 14:24:32", 21},
        {3, "time", "2012.10.02 14:24:32", "2012.10.02 14:24:32", 21},
        {4, "time", "2012.10.02 14.24.32 Y", "2012.10.02 14.24.32 N", 23},
        {5, "TIMERSET", "20121002142432 Y", "20121002142432 N", 18},
        {6, "TIMERSET", "20121002142432 Y", "20121002142432 N", 18},
        {7, "TIMERSET", "20121002142432 Y", "20121002142432 N", 18},
        {8, "TIME", "2012-10-02 14:24:32", "2012-10-02 14:24:32", 21},
        {9, "TIME", "2012.10.02 14:24:32 Y", "2012.10.02 14:24:32 N", 23},
    };
    for (const WorkedExample& e : examples) {
        SCOPED_TRACE(modelName(e.model));
        composer.NameofFileAll(e.model, profileOf(values.profileTable, e.model).FileBaseName);
        EXPECT_EQ(values.timeFileBaseName, e.baseName);

        // A stored code of "1" must not reach the line of an untagged model either.
        for (const auto& [code, line] : {std::pair{"0", e.stampOn}, std::pair{"1", e.stampOff}}) {
            profileOf(values.profileTable, e.model).TimeStampCode = code;
            ASSERT_TRUE(composer.ObrazecZapolnenija(e.model));
            EXPECT_EQ(values.timeFileText, line);
            EXPECT_EQ(fileBytes().size(), e.bytes);
        }
    }
}

TEST_F(TimeFileComposerTest, md80FileByteForByte)
{
    ASSERT_TRUE(composer.ObrazecZapolnenija(0));
    const unsigned char expected[] = {0x32, 0x30, 0x31, 0x32, 0x2D, 0x31, 0x30, 0x2D, 0x30, 0x32, 0x20, 0x31, 0x34,
        0x3A, 0x32, 0x34, 0x3A, 0x33, 0x32, 0x0D, 0x0A};
    EXPECT_EQ(fileBytes(), std::string(std::begin(expected), std::end(expected)));
}

TEST_F(TimeFileComposerTest, enterSeparatorGivesTwoLinesOf22Bytes)
{
    composer.RazdDateTime(3, 2); // G160 with "ENTER"
    ASSERT_TRUE(composer.ObrazecZapolnenija(3));
    const unsigned char expected[] = {0x32, 0x30, 0x31, 0x32, 0x2E, 0x31, 0x30, 0x2E, 0x30, 0x32, 0x0D, 0x0A, 0x31,
        0x34, 0x3A, 0x32, 0x34, 0x3A, 0x33, 0x32, 0x0D, 0x0A};
    EXPECT_EQ(fileBytes(), std::string(std::begin(expected), std::end(expected)));
}

TEST_F(TimeFileComposerTest, storedPositionsChangeTheNextComposition)
{
    struct Case {
        void (TimeFileComposer::*store)(ModelIndex, int);
        int position;
        std::string_view line;
    };
    const Case cases[] = {
        {&TimeFileComposer::RazdDate, 3, "2012/10/02 14:24:32"},
        {&TimeFileComposer::RazdDate, 0, "20121002 14:24:32"},
        {&TimeFileComposer::RazdTime, 2, "2012.10.02 14.24.32"},
        {&TimeFileComposer::RazdTime, 0, "2012.10.02 142432"},
        {&TimeFileComposer::RazdDateTime, 0, "2012.10.0214:24:32"},
    };
    for (const Case& c : cases) {
        values.profileTable = DefaultProfiles();
        (composer.*c.store)(3, c.position);
        ASSERT_TRUE(composer.ObrazecZapolnenija(3));
        EXPECT_EQ(values.timeFileText, c.line);
    }
    EXPECT_EQ(profileOf(values.profileTable, 3).DateTimeSeparatorCode, "0");
}

TEST_F(TimeFileComposerTest, allSeparatorsJoinedForATaggedModel)
{
    for (auto store : {&TimeFileComposer::RazdDate, &TimeFileComposer::RazdTime, &TimeFileComposer::RazdDateTime})
        (composer.*store)(9, 0);
    ASSERT_TRUE(composer.ObrazecZapolnenija(9));
    EXPECT_EQ(values.timeFileText, "20121002142432 Y");
}

TEST_F(TimeFileComposerTest, aCodeOutsideItsListKeepsThePreviousSeparatorAndTag)
{
    ASSERT_TRUE(composer.ObrazecZapolnenija(0)); // "-", ":", " "
    ASSERT_TRUE(composer.ObrazecZapolnenija(4)); // tag "Y"
    CameraProfile& q5 = profileOf(values.profileTable, 5);
    q5.DateSeparatorCode = "7";
    q5.TimeSeparatorCode = "01";
    q5.DateTimeSeparatorCode = "";
    q5.TimeStampCode = "x";
    ASSERT_TRUE(composer.ObrazecZapolnenija(5));
    EXPECT_EQ(values.timeFileText, "2012.10.02 14.24.32 Y"); // DV-033's texts stay
}

TEST_F(TimeFileComposerTest, noChosenModelComposesNothing)
{
    ASSERT_TRUE(composer.ObrazecZapolnenija(5));
    const std::string before = values.timeFileText;
    values.dateTimeParts.set(2030, 1, 1, 0, 0, 0);
    EXPECT_FALSE(composer.ObrazecZapolnenija(kNoModel));
    EXPECT_FALSE(composer.ObrazecZapolnenija(kModelCount));
    EXPECT_EQ(values.timeFileText, before);
}

TEST_F(TimeFileComposerTest, emptyMomentComposesSeparatorsOnly)
{
    values.dateTimeParts = {};
    ASSERT_TRUE(composer.ObrazecZapolnenija(0));
    EXPECT_EQ(values.timeFileText, "-- ::");
}

TEST_F(TimeFileComposerTest, timeStampChoiceIsKeptPerTaggedModel)
{
    composer.Metka_Time(5, 1); // Q5: "НЕТ"
    ASSERT_TRUE(composer.ObrazecZapolnenija(5));
    EXPECT_EQ(values.timeFileText, "20121002142432 N");
    EXPECT_EQ(profileOf(values.profileTable, 5).TimeStampCode, "1");

    ASSERT_TRUE(composer.ObrazecZapolnenija(6));
    EXPECT_EQ(values.timeFileText, "20121002142432 Y");
    ASSERT_TRUE(composer.ObrazecZapolnenija(5));
    EXPECT_EQ(values.timeFileText, "20121002142432 N");

    composer.Metka_Time(0, 1); // untagged: the stored code is left alone
    EXPECT_EQ(profileOf(values.profileTable, 0).TimeStampCode, "0");
}

TEST_F(TimeFileComposerTest, fileNameGoesToTheProfileAndTheBaseNameUnchanged)
{
    composer.NameofFileAll(7, "TIME2");
    EXPECT_EQ(profileOf(values.profileTable, 7).FileBaseName, "TIME2");
    EXPECT_EQ(values.timeFileBaseName, "TIME2");

    composer.NameofFileAll(7, "");
    EXPECT_EQ(values.timeFileBaseName, "");

    const std::string cyrillic = "\xC2\xF0\xE5\xEC\xFF"; // single-byte text passes through untouched
    composer.NameofFileAll(1, cyrillic);
    EXPECT_EQ(profileOf(values.profileTable, 1).FileBaseName, cyrillic);
    EXPECT_EQ(values.timeFileBaseName, cyrillic);
}

// A tick that finds nothing new skips composing; every input that can change between two
// ticks, also behind the composer's back (a reloaded table), must still reach the line.
TEST_F(TimeFileComposerTest, everyChangeBetweenTwoTicksReachesTheLine)
{
    const struct {
        const char* change;
        std::function<void(SharedValues&)> apply;
        ModelIndex model;
        std::string_view line;
    } cases[] = {
        {"nothing", [](SharedValues&) {}, 9, "2012.10.02 14:24:32 Y"},
        {"the second", [](SharedValues& v) { v.dateTimeParts.set(2012, 10, 2, 14, 24, 33); }, 9,
            "2012.10.02 14:24:33 Y"},
        {"the day only", [](SharedValues& v) { v.dateTimeParts.set(2012, 10, 3, 14, 24, 32); }, 9,
            "2012.10.03 14:24:32 Y"},
        {"a moment assigned whole", [](SharedValues& v) { v.dateTimeParts = DateTimeParts(2031, 1, 2, 3, 4, 5); }, 9,
            "2031.01.02 03:04:05 Y"},
        {"the model", [](SharedValues&) {}, 8, "2012-10-02 14:24:32"},
        {"a reloaded date separator", [](SharedValues& v) { v.profileTable[9].DateSeparatorCode = "2"; }, 9,
            "2012-10-02 14:24:32 Y"},
        {"the time separator", [](SharedValues& v) { v.profileTable[9].TimeSeparatorCode = "2"; }, 9,
            "2012.10.02 14.24.32 Y"},
        {"the date-time separator", [](SharedValues& v) { v.profileTable[9].DateTimeSeparatorCode = "0"; }, 9,
            "2012.10.0214:24:32 Y"},
        {"the time stamp", [](SharedValues& v) { v.profileTable[9].TimeStampCode = "1"; }, 9, "2012.10.02 14:24:32 N"},
    };
    for (const auto& c : cases) {
        SharedValues fresh;
        fresh.profileTable = DefaultProfiles();
        fresh.dateTimeParts.set(2012, 10, 2, 14, 24, 32);
        TimeFileComposer tick(fresh);
        ASSERT_TRUE(tick.ObrazecZapolnenija(9));
        c.apply(fresh);
        ASSERT_TRUE(tick.ObrazecZapolnenija(c.model));
        EXPECT_EQ(fresh.timeFileText, c.line) << c.change;
    }
}

// An own format follows the ten in the model list and composes its whole file, breaks and all,
// from its template, with its own time-stamp choice.
TEST(OwnFormatComposition, composesTheTemplateAndFollowsTheStampAndEdits)
{
    SharedValues values;
    values.profileTable = DefaultProfiles();
    values.dateTimeParts.set(2026, 12, 9, 14, 30, 0);
    values.ownFormats.assign({
        {"Keychain", "tag.txt", "[date]\n{year}/{month}/{day}\n{hour}:{minute}:{second}", LineBreak::CrLf, true},
        {"Stamp", "TIME", "{year}{month}{day} {stamp}", LineBreak::Lf, false},
    });
    TimeFileComposer composer(values);
    const auto composed = [&](ModelIndex m) {
        EXPECT_TRUE(composer.ObrazecZapolnenija(m));
        return values.timeFileText;
    };
    EXPECT_EQ(composed(kModelCount), "[date]\r\n2026/12/09\r\n14:30:00\r\n");
    EXPECT_EQ(composed(kModelCount + 1), "20261209 Y");
    composer.Metka_Time(kModelCount + 1, 1);
    EXPECT_EQ(composed(kModelCount + 1), "20261209 N");
    composer.Metka_Time(kModelCount, 1); // no stamp in its template: nothing to store
    EXPECT_EQ(composed(kModelCount), "[date]\r\n2026/12/09\r\n14:30:00\r\n");
    EXPECT_EQ(composed(0), "2026-12-09 14:30:00"); // the ten as before

    values.ownFormats.assign({{"Keychain", "tag.txt", "{day}.{month}", LineBreak::CrLf, true}});
    EXPECT_EQ(composed(kModelCount), "09.12\r\n"); // edited: composed anew in the same second
    EXPECT_FALSE(composer.ObrazecZapolnenija(kModelCount + 1)); // gone from the list
}

TEST(DateTimeParts, arePaddedToTheirWidths)
{
    const auto texts = [](const DateTimeParts& parts) {
        return std::vector<std::string>{
            parts.year(), parts.month(), parts.day(), parts.hour(), parts.minute(), parts.second()};
    };
    DateTimeParts parts;
    EXPECT_EQ(texts(parts), std::vector<std::string>(6)); // nothing before the first moment
    parts.set(987, 1, 9, 0, 5, 59);
    EXPECT_EQ(texts(parts), (std::vector<std::string>{"0987", "01", "09", "00", "05", "59"}));
    parts.set(2038, 12, 31, 23, 59, 0);
    EXPECT_EQ(texts(parts), (std::vector<std::string>{"2038", "12", "31", "23", "59", "00"}));
    EXPECT_EQ(parts, DateTimeParts(2038, 12, 31, 23, 59, 0));
    EXPECT_FALSE(parts == DateTimeParts(2038, 12, 31, 23, 59, 1));
    EXPECT_FALSE(DateTimeParts() == DateTimeParts(0, 0, 0, 0, 0, 0));
}

} // namespace
} // namespace zv
