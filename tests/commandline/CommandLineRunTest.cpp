#include "commandline/CommandLineRun.h"
#include "common/TempFolder.h"
#include "fakes/FakeDriveProbe.h"
#include "profiles/CameraModels.h"
#include "settings/OwnFormatsFile.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>

namespace zv {
namespace {

using test::readBytes;
using test::TempFolder;
using test::writeBytes;

// Seconds since the epoch of a UTC moment.
std::int64_t epochOf(int year, unsigned month, unsigned day, int hour, int minute, int second)
{
    using namespace std::chrono;
    const sys_days date{std::chrono::year{year} / std::chrono::month{month} / std::chrono::day{day}};
    return (date + hours{hour} + minutes{minute} + seconds{second}).time_since_epoch().count();
}

// Local time three hours ahead of UTC, so a lead that is added to the wall clock's fields
// instead of the epoch seconds, or a conversion left out, shows.
LocalDateTime threeHoursAhead(std::int64_t secs)
{
    using namespace std::chrono;
    const sys_seconds moment{seconds{secs + 3 * 3600}};
    const sys_days date = floor<days>(moment);
    const year_month_day ymd{date};
    const hh_mm_ss time{moment - date};
    return {static_cast<int>(ymd.year()), static_cast<int>(static_cast<unsigned>(ymd.month())),
        static_cast<int>(static_cast<unsigned>(ymd.day())), static_cast<int>(time.hours().count()),
        static_cast<int>(time.minutes().count()), static_cast<int>(time.seconds().count())};
}

class CommandLineRunTest : public ::testing::Test {
protected:
    CommandLineRunTest()
    {
        std::filesystem::create_directory(folder.file("card"));
        probe.plug(root(), "CAM");
    }

    std::string root() const { return folder.file("card") + TempFolder::kSeparator; }
    std::string onCard(std::string_view name) const { return root() + std::string(name); }

    int run(std::vector<std::string> arguments)
    {
        out.clear();
        err.clear();
        const CommandLineWorld world{probe, folder.file("Zentrik.ini"), folder.file("Zentrik-formats.ini"),
            folder.file("Zentrik-options.ini"), folder.file("state") + TempFolder::kSeparator + "set-cards",
            [this] { return now; }, threeHoursAhead,
            [this](const std::string& card) {
                ejected.push_back(card);
                return ejectReport;
            },
            [this](std::string_view text) { out += text; }, [this](std::string_view text) { err += text; }};
        return runCommandLine(arguments, world);
    }

    TempFolder folder;
    test::FakeDriveProbe probe;
    std::int64_t now = epochOf(2026, 12, 9, 11, 30, 0); // 14:30:00 local
    EjectReport ejectReport{true, {}};
    std::vector<std::string> ejected;
    std::string out;
    std::string err;
};

TEST_F(CommandLineRunTest, aUsageErrorExitsTwoWithItsReasonAndAPointerToHelpAndWritesNothing)
{
    const struct {
        std::vector<std::string> arguments;
        std::string_view reason;
    } cases[] = {
        {{"set", "--drive", "x", "--model", "Q5", "--stamp=maybe"}, "--stamp takes yes or no, not 'maybe'"},
        {{"set", "--drive", "x", "--model", "Q9"}, "unknown model 'Q9'"},
        {{"set", "--drive", "x", "--model", "MD80", "--stamp", "no"}, "MD80 has no time stamp to choose"},
        {{"set", "--drive", "x", "--model", "Keychain", "--stamp", "no"}, "Keychain has no time stamp"},
        {{"set", "--drive", "x", "--model", "Q5", "--at", "2027-02-30 00:00:00"}, "--at takes a real moment"},
        {{"set", "--drive", "x", "--model", "Q\n5"}, "unknown model 'Q\\n5'"}, // one line, whatever was typed
    };
    ASSERT_TRUE(
        saveOwnFormats(folder.file("Zentrik-formats.ini"), std::vector<OwnFormat>{{"Keychain", "k.txt", "{year}"}})
            .ok());
    for (const auto& c : cases) {
        std::vector<std::string> arguments = c.arguments;
        arguments[2] = root(); // a real card: only the error keeps it from being written
        SCOPED_TRACE(c.reason);
        EXPECT_EQ(run(arguments), kExitUsage);
        EXPECT_TRUE(err.starts_with("zentrik-vesmar: ")) << err;
        EXPECT_NE(err.find(c.reason), std::string::npos) << err;
        EXPECT_TRUE(err.ends_with("\nTry 'zentrik-vesmar --help'.\n")) << err;
        EXPECT_EQ(std::count(err.begin(), err.end(), '\n'), 2);
        EXPECT_EQ(out, "");
    }
    EXPECT_TRUE(std::filesystem::is_empty(folder.file("card")));
    EXPECT_FALSE(std::filesystem::exists(folder.file("Zentrik.ini"))); // settings are only ever read
}

TEST_F(CommandLineRunTest, setWritesTheModelsFileAsTheWindowComposesItAndSaysWhatItWrote)
{
    const struct {
        std::vector<std::string> options;
        std::string_view file;
        std::string_view bytes;
    } cases[] = {
        {{"--model", "Q5", "--stamp", "no", "--at", "2027-01-02 03:04:05"}, "TIMERSET.txt", "20270102030405 N\r\n"},
        {{"--model", "q5"}, "TIMERSET.txt", "20261209143000 Y\r\n"}, // now, stamp yes
        {{"--model=md80se"}, "time.txt", "2026.12.09 14:30:00\r\n"},
        {{"--model=dv-033", "--stamp=yes"}, "time.txt", "2026.12.09 14.30.00 Y\r\n"},
        {{"--model=rs-301", "--stamp=no", "--lead=90"}, "TIME.txt", "2026.12.09 14:31:30 N\r\n"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.bytes);
        std::vector<std::string> arguments{"set", "--drive", folder.file("card")}; // without the separator
        arguments.insert(arguments.end(), c.options.begin(), c.options.end());
        ASSERT_EQ(run(arguments), kExitSuccess) << err;
        EXPECT_EQ(readBytes(onCard(c.file)), c.bytes);
        const std::string_view line = c.bytes.substr(0, c.bytes.size() - 2);
        EXPECT_EQ(out, onCard(c.file) + " " + std::string(line) + "\n");
        EXPECT_EQ(err, "");
    }
}

TEST_F(CommandLineRunTest, nowPlusLeadIsWorkedOutInEpochSecondsAcrossDayMonthAndYearEnds)
{
    const struct {
        std::int64_t now;
        int lead;
        std::string_view line;
    } cases[] = {
        {epochOf(2026, 12, 9, 20, 59, 50), 15, "2026-12-10 00:00:05"}, // local midnight
        {epochOf(2027, 1, 31, 20, 58, 0), 120, "2027-02-01 00:00:00"},
        {epochOf(2028, 2, 28, 20, 59, 59), 1, "2028-02-29 00:00:00"}, // a leap day
        {epochOf(2026, 12, 31, 20, 50, 0), 600, "2027-01-01 00:00:00"},
        {epochOf(2026, 12, 31, 20, 59, 59), 0, "2026-12-31 23:59:59"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.line);
        now = c.now;
        ASSERT_EQ(run({"set", "--drive", root(), "--model", "MD80", "--lead", std::to_string(c.lead)}), kExitSuccess);
        EXPECT_EQ(readBytes(onCard("TAG.txt")), std::string(c.line) + "\r\n");
    }
    // Without --lead, the lead the window saved counts.
    writeBytes(folder.file("Zentrik-options.ini"), "LeadSeconds=45\r\n");
    now = epochOf(2026, 12, 31, 20, 59, 30);
    ASSERT_EQ(run({"set", "--drive", root(), "--model", "MD80"}), kExitSuccess);
    EXPECT_EQ(readBytes(onCard("TAG.txt")), "2027-01-01 00:00:15\r\n");
}

TEST_F(CommandLineRunTest, ownFormatsAndSavedProfilesAreUsedAndNothingIsSaved)
{
    const std::vector<OwnFormat> own = {
        {"Keychain 8", "tag.txt", "[date]\n{year}/{month}/{day}\n{stamp}"},
    };
    ASSERT_TRUE(saveOwnFormats(folder.file("Zentrik-formats.ini"), own).ok());
    ASSERT_EQ(run({"set", "--drive", root(), "--model", "KEYCHAIN 8", "--stamp", "no"}), kExitSuccess) << err;
    EXPECT_EQ(readBytes(onCard("tag.txt")), "[date]\r\n2026/12/09\r\nN\r\n");
    EXPECT_EQ(out, onCard("tag.txt") + " [date]\\r\\n2026/12/09\\r\\nN\n");

    // The saved profiles count: file name, separators (here "/", "." and a line break between
    // date and time), but the stamp is the one given, "yes" unless told, not the stored "N".
    std::string settings;
    for (ModelIndex m = 0; m < kModelCount; ++m)
        settings += std::string(modelName(m)) + "\r\n" + (m == 5 ? "CLOCK" : "x") + "\r\n3\r\n2\r\n2\r\n1\r\n0\r\n";
    writeBytes(folder.file("Zentrik.ini"), settings);
    ASSERT_EQ(run({"set", "--drive", root(), "--model", "Q5"}), kExitSuccess) << err;
    EXPECT_EQ(readBytes(onCard("CLOCK.txt")), "2026/12/09\r\n14.30.00 Y\r\n");
    EXPECT_EQ(out, onCard("CLOCK.txt") + " 2026/12/09\\r\\n14.30.00 Y\n");
    EXPECT_EQ(readBytes(folder.file("Zentrik.ini")), settings);

    ASSERT_EQ(run({"models"}), kExitSuccess);
    EXPECT_TRUE(out.starts_with("MD80\tx.txt\t2026/12/09\\r\\n14.30.00\n")) << out;
    EXPECT_TRUE(out.ends_with("\nKeychain 8\ttag.txt\t[date]\\r\\n2026/12/09\\r\\nY\n")) << out;
    EXPECT_EQ(std::count(out.begin(), out.end(), '\n'), kModelCount + 1); // one line each
}

TEST_F(CommandLineRunTest, aFailedDriveCostsOnlyItselfAndExitsOne)
{
    probe.plug(folder.file("second") + TempFolder::kSeparator, "SECOND");
    std::filesystem::create_directory(folder.file("second"));
    const std::string notACard = folder.file("state");
    std::filesystem::create_directory(notACard);
    ASSERT_EQ(run({"set", "--drive", notACard, "--drive", root(), "--drive", folder.file("second"), "--drive", root(),
                  "--model", "MD80", "--eject"}),
        kExitFailure);
    EXPECT_EQ(err, "zentrik-vesmar: " + notACard + ": Invalid filename\n");
    EXPECT_EQ(out,
        onCard("TAG.txt") + " 2026-12-09 14:30:00\n" + folder.file("second") + TempFolder::kSeparator +
            "TAG.txt 2026-12-09 14:30:00\n"); // the card named twice is set once
    EXPECT_FALSE(std::filesystem::exists(notACard + TempFolder::kSeparator + "TAG.txt"));
    EXPECT_EQ(ejected, (std::vector<std::string>{root(), folder.file("second") + TempFolder::kSeparator}));

    // An eject that fails is that drive's failure; its file stays.
    ejectReport = {false, "the card is busy"};
    EXPECT_EQ(run({"set", "--drive", root(), "--model", "MD80", "--eject"}), kExitFailure);
    EXPECT_EQ(err, "zentrik-vesmar: " + root() + ": the card is busy\n");
    EXPECT_TRUE(std::filesystem::exists(onCard("TAG.txt")));
}

TEST_F(CommandLineRunTest, eachCardSetIsRememberedForTheWindow)
{
    ASSERT_EQ(run({"set", "--drive", root(), "--model", "Q6", "--stamp", "no"}), kExitSuccess);
    const std::string records = readBytes(folder.file("state") + TempFolder::kSeparator + "set-cards");
    EXPECT_NE(records.find(":CAM"), std::string::npos) << records; // the identity from size and label
    EXPECT_NE(records.find("TIMERSET.txt"), std::string::npos) << records;
    EXPECT_NE(records.find("model=Q6"), std::string::npos) << records;
    EXPECT_NE(records.find("row=1"), std::string::npos) << records;
}

TEST_F(CommandLineRunTest, listShowsEachDriveOnOneLineInTheProbesOrder)
{
    probe.plug("/media/u/A\tB/", "line\nbreak");
    probe.plugHardDisk("/media/u/DISK/", "DISK");
    ASSERT_EQ(run({"list"}), kExitSuccess);
    // The fake probe orders its roots by name; the real ones put hard disks last themselves.
    EXPECT_NE(out.find("/media/u/A\\tB/\tline\\nbreak\n"), std::string::npos) << out;
    EXPECT_NE(out.find("/media/u/DISK/\tDISK\n"), std::string::npos) << out;
    EXPECT_NE(out.find(root() + "\tCAM\n"), std::string::npos) << out;
    EXPECT_EQ(std::count(out.begin(), out.end(), '\n'), 3);
}

TEST(CommandLineRootTest, aRootIsNamedWithOrWithoutItsSeparatorAndALetterInEitherCase)
{
    const struct {
        std::string_view given;
        std::string_view root;
        bool names;
    } cases[] = {
        {"/media/u/CAM", "/media/u/CAM/", true},
        {"/media/u/CAM/", "/media/u/CAM/", true},
        {"/media/u/cam", "/media/u/CAM/", false}, // Linux paths keep their case
        {"/media/u/CAM//", "/media/u/CAM/", false},
        {"/media/u", "/media/u/CAM/", false},
        {"E:", "E:\\", true},
        {"e:\\", "E:\\", true},
        {"E", "E:\\", false},
        {"F:", "E:\\", false},
        {"", "E:\\", false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.given);
        EXPECT_EQ(namesRoot(c.given, c.root), c.names);
    }
}

TEST(CommandLineRootTest, controlCharactersAreWrittenAsEscapes)
{
    EXPECT_EQ(escapedForLine("a\r\nb\tc\x01\x7F\x1b d\xD0\x9A\\"), "a\\r\\nb\\tc\\x01\\x7f\\x1b d\xD0\x9A\\");
}

} // namespace
} // namespace zv
