#include "commandline/CommandLine.h"

#include <gtest/gtest.h>

namespace zv {
namespace {

ParsedCommandLine parse(std::vector<std::string> arguments) { return parseCommandLine(arguments); }

TEST(CommandLineTest, everyMalformedLineIsAUsageErrorThatSaysWhy)
{
    const struct {
        std::vector<std::string> arguments;
        std::string_view reason;
    } cases[] = {
        {{}, "no command given"},
        {{"sett"}, "unknown command 'sett'"},
        {{"--list"}, "unknown option '--list'"},
        {{"list", "extra"}, "unexpected argument 'extra'"},
        {{"--version", "list"}, "unexpected argument 'list'"},
        {{"set", "--drive", "/m/CAM", "--model", "Q5", "--colour", "red"}, "unknown option '--colour'"},
        {{"set", "--drive", "/m/CAM", "-d"}, "unknown option '-d'"},
        {{"set", "--drive", "/m/CAM", "Q5"}, "unexpected argument 'Q5'"},
        {{"set", "--model", "Q5", "--drive"}, "option '--drive' needs a value"},
        {{"set", "--drive", "--model", "Q5"}, "option '--drive' needs a value"},
        {{"set", "--drive=/m/CAM", "--model="}, "option '--model' needs a value"},
        {{"set", "--drive=/m/CAM", "--model=Q5", "--model=Q6"}, "option '--model' is given more than once"},
        {{"set", "--drive=/m/CAM", "--model=Q5", "--stamp=no", "--stamp=no"},
            "option '--stamp' is given more than once"},
        {{"set", "--drive=/m/CAM", "--model=Q5", "--lead=1", "--lead=2"}, "option '--lead' is given more than once"},
        {{"set", "--drive=/m/CAM", "--model=Q5", "--eject", "--eject"}, "option '--eject' is given more than once"},
        {{"set", "--drive=/m/CAM", "--model=Q5", "--eject=yes"}, "option '--eject' takes no value"},
        {{"set", "--drive=/m/CAM", "--model=Q5", "--stamp=maybe"}, "--stamp takes yes or no, not 'maybe'"},
        {{"set", "--drive=/m/CAM", "--model=Q5", "--lead=601"}, "--lead takes whole seconds from 0 to 600, not '601'"},
        {{"set", "--drive=/m/CAM", "--model=Q5", "--lead", "-1"}, "not '-1'"},
        {{"set", "--drive=/m/CAM", "--model=Q5", "--lead=1.5"}, "not '1.5'"},
        {{"set", "--drive=/m/CAM", "--model=Q5", "--at=2027-02-29 10:00:00"}, "--at takes a real moment"},
        {{"set", "--model=Q5"}, "set needs at least one --drive ROOT"},
        {{"set", "--drive=/m/CAM"}, "set needs --model NAME"},
        {{"set", "--drive=/m/CAM", "--model=Q5", "--lead=5", "--at", "2027-01-02 03:04:05"}, "do not go together"},
    };
    for (const auto& c : cases) {
        const ParsedCommandLine parsed = parse(c.arguments);
        SCOPED_TRACE(parsed.usageError);
        EXPECT_FALSE(parsed.ok());
        EXPECT_NE(parsed.usageError.find(c.reason), std::string::npos);
    }
}

TEST(CommandLineTest, optionsReadTheSameWithASpaceOrAnEqualsSign)
{
    const ParsedCommandLine spaced = parse({"set", "--drive", "/m/A", "--model", "q5", "--stamp", "NO", "--at",
        "2027-01-02 03:04:05", "--drive", "E:", "--eject"});
    const ParsedCommandLine joined =
        parse({"set", "--drive=/m/A", "--model=q5", "--stamp=NO", "--at=2027-01-02 03:04:05", "--drive=E:", "--eject"});
    for (const ParsedCommandLine* parsed : {&spaced, &joined}) {
        ASSERT_TRUE(parsed->ok()) << parsed->usageError;
        EXPECT_EQ(parsed->command, Command::Set);
        EXPECT_EQ(parsed->set.drives, (std::vector<std::string>{"/m/A", "E:"}));
        EXPECT_EQ(parsed->set.model, "q5");
        EXPECT_EQ(parsed->set.stamp, false);
        EXPECT_EQ(parsed->set.at, (LocalDateTime{2027, 1, 2, 3, 4, 5}));
        EXPECT_FALSE(parsed->set.leadSeconds);
        EXPECT_TRUE(parsed->set.eject);
    }
    // A value may hold '=' and spaces; only the first '=' ends the name.
    EXPECT_EQ(parse({"set", "--drive=/m/a=b c", "--model=Q5"}).set.drives.front(), "/m/a=b c");
    EXPECT_EQ(parse({"set", "--drive=/m/A", "--model=Q5", "--lead", "600"}).set.leadSeconds, 600);
}

TEST(CommandLineTest, helpWinsWhereverItStandsAndTheOtherCommandsTakeNothing)
{
    EXPECT_EQ(parse({"--help"}).command, Command::Help);
    EXPECT_EQ(parse({"set", "--drive", "--help"}).command, Command::Help);
    EXPECT_EQ(parse({"sett", "-h"}).command, Command::Help);
    EXPECT_EQ(parse({"--version"}).command, Command::Version);
    EXPECT_EQ(parse({"list"}).command, Command::List);
    EXPECT_EQ(parse({"models"}).command, Command::Models);
}

TEST(CommandLineTest, aMomentIsARealCalendarSecondInOneExactShape)
{
    const struct {
        std::string_view text;
        std::optional<LocalDateTime> moment;
    } cases[] = {
        {"2027-01-02 03:04:05", LocalDateTime{2027, 1, 2, 3, 4, 5}},
        {"2028-02-29 23:59:59", LocalDateTime{2028, 2, 29, 23, 59, 59}}, // a leap year
        {"2000-02-29 00:00:00", LocalDateTime{2000, 2, 29, 0, 0, 0}}, // divisible by 400
        {"0001-01-01 00:00:00", LocalDateTime{1, 1, 1, 0, 0, 0}},
        {"9999-12-31 23:59:59", LocalDateTime{9999, 12, 31, 23, 59, 59}},
        {"2100-02-29 00:00:00", std::nullopt}, // divisible by 100 only
        {"2027-04-31 00:00:00", std::nullopt},
        {"2027-13-01 00:00:00", std::nullopt},
        {"2027-00-10 00:00:00", std::nullopt},
        {"2027-01-00 00:00:00", std::nullopt},
        {"0000-01-01 00:00:00", std::nullopt},
        {"2027-01-02 24:00:00", std::nullopt},
        {"2027-01-02 23:60:00", std::nullopt},
        {"2027-01-02 23:00:60", std::nullopt},
        {"2027-01-02T03:04:05", std::nullopt},
        {"2027-1-2 3:04:05", std::nullopt},
        {"2027-01-02 03:04:05 ", std::nullopt},
        {"2027-01-02 03:04", std::nullopt},
        {"2027-01-02 +3:04:05", std::nullopt},
        {"", std::nullopt},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(parseMoment(c.text), c.moment);
    }
}

} // namespace
} // namespace zv
