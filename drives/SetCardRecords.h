#pragma once

#include "drives/CardScan.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace zv {

// A camera's only word on a time file is deleting it once read. So each card we set is
// remembered, and when it is plugged in again the owner learns whether the camera took the time.
struct SetCardRecord {
    std::string cardIdentity; // as cardIdentity() gives it
    std::string timeFileName; // as written in the card's root: "TAG.txt"
    std::string timeFileBytes; // exactly the bytes written
    std::int64_t setAt = 0; // the moment of the set, seconds since the epoch (UTC)
    CardContents contentsAtSet; // what the card held then, the time file not counted
    std::string modelKey; // what was chosen, kept for the windows; not read here
    int timeStampRow = 0;

    bool operator==(const SetCardRecord&) const = default;
};

inline constexpr std::int64_t kSetCardRecordSeconds = 60 * 24 * 60 * 60; // 60 days: a camera set is used by then
inline constexpr std::size_t kMostSetCardRecords = 200;

// Field limits of a record; a record past them is not kept. The time file's limit is also how
// much of the file on the card is read back: a longer file cannot be the one we wrote.
inline constexpr std::size_t kMostCardIdentityBytes = 1024;
inline constexpr std::size_t kMostRecordedFileNameBytes = 255;
inline constexpr std::size_t kMostTimeFileBytes = 4096;
inline constexpr std::size_t kMostModelKeyBytes = 255;

// What sits in the time file's place on a card plugged in again.
struct TimeFileOnCard {
    enum class State {
        Missing, // nothing of that name
        File, // a regular file, whose bytes are in `bytes`
        NotOurFile, // a folder, a link, a special file, or a file longer than kMostTimeFileBytes
        Unknown, // the card could not be asked: pulled, unreadable
    };
    State state = State::Unknown;
    std::string bytes;
};

enum class CardVerdict {
    Taken, // the time file is gone: the camera read it
    RecordedButNotRead, // our file is still there, and the camera has recorded since
    NothingYet, // the camera has not been on, or nothing can be told; the record stays
};

// The answer for a card plugged in again, given its time file and a fresh scan now.
[[nodiscard]] CardVerdict judgeReturningCard(
    const SetCardRecord& record, const TimeFileOnCard& timeFile, const CardContents& now);

struct CardAnswer {
    CardVerdict verdict = CardVerdict::NothingYet;
    SetCardRecord record; // the card's record, for the windows to tell what was set
};

// The records of set cards, newest first: one per card, none older than kSetCardRecordSeconds,
// at most kMostSetCardRecords. Pure bookkeeping; SetCardRecordsFile.h stores them.
class SetCardRecords final {
public:
    SetCardRecords() = default;
    // The valid ones of `records`, as remember() would keep them one by one.
    SetCardRecords(std::vector<SetCardRecord> records, std::int64_t now);

    // Keeps `record` in place of any earlier one of the same card; false when a field is empty
    // where it must not be or past its limit, and then nothing is kept.
    bool remember(SetCardRecord record, std::int64_t now);

    [[nodiscard]] const SetCardRecord* find(std::string_view cardIdentity) const;

    // None when the card has no record. A Taken or RecordedButNotRead answer is given once:
    // the record is then forgotten.
    [[nodiscard]] std::optional<CardAnswer> answer(
        std::string_view cardIdentity, const TimeFileOnCard& timeFile, const CardContents& now);

    void dropExpired(std::int64_t now);

    [[nodiscard]] const std::vector<SetCardRecord>& records() const { return records_; }

private:
    std::vector<SetCardRecord> records_;
};

// True when every field of `record` is within its limits and the card and file are named.
[[nodiscard]] bool isKeepableRecord(const SetCardRecord& record);

} // namespace zv
