#include "SetCardRecordsTest.h"

#include "drives/SetCardRecords.h"
#include "drives/SetCardRecordsFile.h"

#include <filesystem>

namespace zv {
namespace {

using State = TimeFileOnCard::State;
using test::readBytes;
using test::TempFolder;
using test::writeBytes;

constexpr std::int64_t kNow = 1'800'000'000;
constexpr std::int64_t kDay = 24 * 60 * 60;
const std::string kWritten = "2027.01.15 10:30:00\r\n";

SetCardRecord recordOf(std::string identity, std::int64_t setAt, CardContents then = {1'000, 10, true})
{
    return {std::move(identity), "TAG.txt", kWritten, setAt, then, "MD80", 1};
}

TEST(JudgeReturningCard, answersFromTheTimeFileAndWhatTheCardHoldsNow)
{
    const CardContents complete{1'000, 10, true};
    const CardContents partial{1'000, 10, false};
    const CardContents emptyComplete{std::nullopt, 0, true};
    const CardContents failed{std::nullopt, 0, false};
    const TimeFileOnCard ours{State::File, kWritten};
    const struct {
        const char* why;
        CardContents then;
        TimeFileOnCard file;
        CardContents now;
        CardVerdict verdict;
    } cases[] = {
        {"file gone", complete, {State::Missing, {}}, complete, CardVerdict::Taken},
        {"file gone, scan failed", complete, {State::Missing, {}}, failed, CardVerdict::Taken},
        {"nothing changed", complete, ours, complete, CardVerdict::NothingYet},
        {"a newer file", complete, ours, {1'001, 10, true}, CardVerdict::RecordedButNotRead},
        {"a newer file, scans partial", partial, ours, {1'001, 10, false}, CardVerdict::RecordedButNotRead},
        {"an older file more", complete, ours, {1'000, 11, true}, CardVerdict::RecordedButNotRead},
        {"more files, then partial", partial, ours, {1'000, 11, true}, CardVerdict::NothingYet},
        {"more files, now partial", complete, ours, {1'000, 11, false}, CardVerdict::NothingYet},
        {"fewer files", complete, ours, {1'000, 9, true}, CardVerdict::NothingYet},
        {"first file on an empty card", emptyComplete, ours, {5, 1, true}, CardVerdict::RecordedButNotRead},
        {"first file, set scan failed", failed, ours, {5, 1, false}, CardVerdict::NothingYet},
        {"scan failed now", complete, ours, failed, CardVerdict::NothingYet},
        {"file changed by someone", complete, {State::File, "2027.01.15 10:30:01\r\n"}, {2'000, 20, true},
            CardVerdict::NothingYet},
        {"file cut short", complete, {State::File, "2027.01.15"}, {2'000, 20, true}, CardVerdict::NothingYet},
        {"a folder in its place", complete, {State::NotOurFile, {}}, {2'000, 20, true}, CardVerdict::NothingYet},
        {"card not readable", complete, {State::Unknown, {}}, {2'000, 20, true}, CardVerdict::NothingYet},
    };
    for (const auto& c : cases)
        EXPECT_EQ(judgeReturningCard(recordOf("fs:1", kNow, c.then), c.file, c.now), c.verdict) << c.why;
}

TEST(SetCardRecordsList, aCardHasOneRecordAndAFinalAnswerIsGivenOnce)
{
    SetCardRecords records;
    ASSERT_TRUE(records.remember(recordOf("fs:A", kNow - 100), kNow));
    ASSERT_TRUE(records.remember(recordOf("fs:B", kNow - 50), kNow));
    SetCardRecord again = recordOf("fs:A", kNow);
    again.timeFileBytes = "new\r\n";
    ASSERT_TRUE(records.remember(again, kNow));
    ASSERT_EQ(records.records().size(), 2u);
    EXPECT_EQ(records.records().front(), again);

    const TimeFileOnCard stillThere{State::File, "new\r\n"};
    EXPECT_EQ(records.answer("fs:A", stillThere, {1'000, 10, true})->verdict, CardVerdict::NothingYet);
    ASSERT_NE(records.find("fs:A"), nullptr);
    const auto answer = records.answer("fs:A", {State::Missing, {}}, {});
    ASSERT_TRUE(answer);
    EXPECT_EQ(answer->verdict, CardVerdict::Taken);
    EXPECT_EQ(answer->record, again);
    // Answered once; what was chosen for the card is still known.
    ASSERT_NE(records.find("fs:A"), nullptr);
    EXPECT_TRUE(records.find("fs:A")->answered);
    EXPECT_EQ(records.find("fs:A")->modelKey, again.modelKey);
    EXPECT_FALSE(records.answer("fs:A", {State::Missing, {}}, {}));
    EXPECT_FALSE(records.answer("fs:unknown", {State::Missing, {}}, {}));
}

TEST(SetCardRecordsList, keepsTheNewestWithinSixtyDaysAndTheLimit)
{
    SetCardRecords records;
    EXPECT_FALSE(records.remember(recordOf("fs:old", kNow - kSetCardRecordSeconds - 1), kNow));
    EXPECT_TRUE(records.remember(recordOf("fs:edge", kNow - kSetCardRecordSeconds), kNow));
    records.dropExpired(kNow + 1);
    EXPECT_TRUE(records.records().empty());

    for (std::size_t i = 0; i < kMostSetCardRecords + 5; ++i)
        records.remember(recordOf("fs:" + std::to_string(i), kNow - static_cast<std::int64_t>(i)), kNow);
    ASSERT_EQ(records.records().size(), kMostSetCardRecords);
    EXPECT_EQ(records.records().front().cardIdentity, "fs:0");
    EXPECT_EQ(records.records().back().cardIdentity, "fs:" + std::to_string(kMostSetCardRecords - 1));
    EXPECT_FALSE(records.remember(recordOf("fs:older", kNow - 1'000), kNow)); // older than a full list
    EXPECT_TRUE(records.remember(recordOf("fs:newer", kNow), kNow));
    EXPECT_EQ(records.find("fs:" + std::to_string(kMostSetCardRecords - 1)), nullptr);
}

TEST(SetCardRecordsList, refusesARecordThatCouldNotBeStoredOrChecked)
{
    SetCardRecords records;
    const auto refused = [&](auto change) {
        SetCardRecord record = recordOf("fs:A", kNow);
        change(record);
        return !records.remember(record, kNow);
    };
    EXPECT_TRUE(refused([](SetCardRecord& r) { r.cardIdentity.clear(); }));
    EXPECT_TRUE(refused([](SetCardRecord& r) { r.timeFileName.clear(); }));
    EXPECT_TRUE(refused([](SetCardRecord& r) { r.timeFileBytes.assign(kMostTimeFileBytes + 1, 'x'); }));
    EXPECT_TRUE(refused([](SetCardRecord& r) { r.cardIdentity.assign(kMostCardIdentityBytes + 1, 'x'); }));
    EXPECT_TRUE(refused([](SetCardRecord& r) { r.timeStampRow = -1; }));
    EXPECT_FALSE(refused([](SetCardRecord& r) { r.timeFileBytes.assign(kMostTimeFileBytes, 'x'); }));
}

TEST(SetCardRecordsText, everyByteOfEveryFieldComesBack)
{
    SetCardRecords records;
    SetCardRecord odd = recordOf("size:15931539456:CAM\tONE%\x7F\n", kNow, {std::nullopt, 0, false});
    odd.timeFileBytes = std::string("\0\r\n\xFF=\t%41", 9);
    odd.modelKey = "\xD0\x9C\xD0\x94 80";
    odd.timeStampRow = 0;
    odd.answered = true;
    ASSERT_TRUE(records.remember(odd, kNow));
    ASSERT_TRUE(records.remember(recordOf("fs:1234-ABCD", kNow - 10, {-5, 5'000, true}), kNow));

    const std::string text = setCardRecordsFileText(records);
    EXPECT_EQ(text.find('\0'), std::string::npos);
    EXPECT_EQ(parseSetCardRecords(text), records.records());
}

TEST(SetCardRecordsText, aDamagedLineCostsOnlyItsRecord)
{
    const std::string good =
        "card=fs:A\tfile=TAG.txt\tbytes=x%0D%0A\tset=5\tnewest=4\tfiles=3\tcomplete=1\tmodel=M\trow=1";
    const std::string lines[] = {
        "card=fs:B\tfile=TAG.txt\tbytes=x\tset=5\tfiles=3\tcomplete=1\tmodel=M", // no row
        "card=fs:B\tfile=TAG.txt\tbytes=x%0\tset=5\tfiles=3\tcomplete=1\tmodel=M\trow=1", // broken escape
        "card=fs:B\tfile=TAG.txt\tbytes=x\tset=5\tfiles=3\tcomplete=2\tmodel=M\trow=1",
        "card=fs:B\tfile=TAG.txt\tbytes=x\tset=+5\tfiles=3\tcomplete=1\tmodel=M\trow=1",
        "card=fs:B\tfile=TAG.txt\tbytes=x\tset=5\tfiles=-3\tcomplete=1\tmodel=M\trow=1",
        "card=fs:B\tfile=TAG.txt\tbytes=x\tset=5\tfiles=3 \tcomplete=1\tmodel=M\trow=1",
        "card=fs:B\tfile=TAG.txt\tbytes=x\tset=5\tnewest=\tfiles=3\tcomplete=1\tmodel=M\trow=1",
        "card=fs:B\tfile=TAG.txt\tbytes=x\tset=5\tfiles=3\tcomplete=1\tmodel=M\trow=1\tcard=fs:C",
        "card=fs:B\tfile=TAG.txt\tbytes=x\tset=99999999999999999999\tfiles=3\tcomplete=1\tmodel=M\trow=1",
        "card=fs:B\tfile=TAG.txt\tbytes=x\tset=5\tfiles=3\tcomplete=1\tmodel=M\trow=1\tjunk",
        "\xFF\xFE garbage",
    };
    for (const std::string& damaged : lines) {
        const auto parsed = parseSetCardRecords(good + "\n" + damaged + "\r\n" + good);
        ASSERT_EQ(parsed.size(), 2u) << damaged;
        EXPECT_EQ(parsed[0].timeFileBytes, "x\r\n");
    }
    // A later version's keys are passed over.
    EXPECT_EQ(parseSetCardRecords(good + "\tfuture=yes").size(), 1u);
}

class SetCardRecordsFileTest : public ::testing::Test {
protected:
    TempFolder folder;
    std::string path = folder.file("set-cards.txt");
};

TEST_F(SetCardRecordsFileTest, savedRecordsLoadAgainWithoutTheExpired)
{
    const SetCardRecords records(
        {recordOf("fs:A", kNow - 70 * kDay), recordOf("fs:B", kNow - 10 * kDay)}, kNow - 20 * kDay);
    ASSERT_EQ(records.records().size(), 2u);
    ASSERT_FALSE(saveSetCardRecords(path, records, kNow).failed());
    const SetCardRecords loaded = loadSetCardRecords(path, kNow);
    ASSERT_EQ(loaded.records().size(), 1u);
    EXPECT_EQ(loaded.records().front(), records.records().front());
    EXPECT_TRUE(loadSetCardRecords(path, kNow + 51 * kDay).records().empty());
}

TEST_F(SetCardRecordsFileTest, theFileNeverOutgrowsWhatALoadReads)
{
    SetCardRecords records;
    for (std::size_t i = 0; i < kMostSetCardRecords; ++i) {
        SetCardRecord big = recordOf("fs:" + std::to_string(i), kNow - static_cast<std::int64_t>(i));
        big.timeFileBytes.assign(kMostTimeFileBytes, '\n'); // three bytes each once escaped
        records.remember(big, kNow);
    }
    ASSERT_FALSE(saveSetCardRecords(path, records, kNow).failed());
    EXPECT_LE(readBytes(path).size(), kMostSetCardRecordsFileBytes);
    const SetCardRecords loaded = loadSetCardRecords(path, kNow);
    ASSERT_FALSE(loaded.records().empty());
    EXPECT_EQ(loaded.records().front().cardIdentity, "fs:0"); // the newest are the ones kept
}

TEST_F(SetCardRecordsFileTest, whatIsNoFileOfOursGivesNoRecords)
{
    EXPECT_TRUE(loadSetCardRecords(path, kNow).records().empty());
    writeBytes(path, std::string(kMostSetCardRecordsFileBytes + 1, '#'));
    EXPECT_TRUE(loadSetCardRecords(path, kNow).records().empty());
    std::filesystem::remove(path);
    std::filesystem::create_directory(path);
    EXPECT_TRUE(loadSetCardRecords(path, kNow).records().empty());
    EXPECT_TRUE(saveSetCardRecords(path, {}, kNow).failed());
}

TEST_F(SetCardRecordsFileTest, theStateFolderIsCreatedButNeverInAFileSystemsRoot)
{
    const std::string nested =
        folder.file("state") + TempFolder::kSeparator + "zentrik-vesmar" + TempFolder::kSeparator + "set-cards.txt";
    SetCardRecords records;
    records.remember(recordOf("fs:A", kNow), kNow);
    ASSERT_FALSE(saveSetCardRecords(nested, records, kNow).failed());
    EXPECT_EQ(loadSetCardRecords(nested, kNow).records(), records.records());

    const auto inRoot = std::filesystem::path(folder.path()).root_path() / "zentrik-vesmar-absent" / "set-cards.txt";
    ASSERT_FALSE(std::filesystem::exists(inRoot.parent_path()));
    EXPECT_TRUE(saveSetCardRecords(inRoot.string(), records, kNow).failed());
    EXPECT_FALSE(std::filesystem::exists(inRoot.parent_path()));
}

TEST_F(LookAtTimeFileTest, tellsAMissingFileFromOursAndFromOthers)
{
    EXPECT_EQ(look().state, State::Missing);

    writeBytes(folder.file("TAG.txt"), "2027.01.15 10:30:00\r\n");
    const TimeFileOnCard ours = look();
    EXPECT_EQ(ours.state, State::File);
    EXPECT_EQ(ours.bytes, "2027.01.15 10:30:00\r\n");

    writeBytes(folder.file("TAG.txt"), std::string(kMostTimeFileBytes, 'x'));
    EXPECT_EQ(look().state, State::File);
    writeBytes(folder.file("TAG.txt"), std::string(kMostTimeFileBytes + 1, 'x'));
    EXPECT_EQ(look().state, State::NotOurFile);

    std::filesystem::remove(folder.file("TAG.txt"));
    std::filesystem::create_directory(folder.file("TAG.txt"));
    EXPECT_EQ(look().state, State::NotOurFile);
}

TEST_F(LookAtTimeFileTest, aCardNoLongerThereIsNeverTakenForAMissingFile)
{
    probe.removableRootNow = false; // pulled: its mount folder is an ordinary folder now
    EXPECT_EQ(look().state, State::Unknown);
    probe.removableRootNow.reset();
    EXPECT_EQ(
        lookAtTimeFile(folder.file("gone") + test::TempFolder::kSeparator, "TAG.txt", probe).state, State::Unknown);
    for (const char* name : {"", ".", "..", "../TAG.txt", "DCIM/TAG.txt", "DCIM\\TAG.txt"})
        EXPECT_EQ(look(name).state, State::Unknown) << name;
}

} // namespace
} // namespace zv
