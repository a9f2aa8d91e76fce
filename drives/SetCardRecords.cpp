#include "drives/SetCardRecords.h"

#include <algorithm>

namespace zv {

namespace {

// A newer file is a recording, whatever the camera's clock says of the older ones; a camera
// whose clock was never set may date new files before them, which more files then shows. A
// card of which the scan at the set saw nothing and could not finish gives no time to compare.
bool recordedSince(const CardContents& then, const CardContents& now)
{
    if (now.newestModified && (then.newestModified ? *now.newestModified > *then.newestModified : then.complete))
        return true;
    return then.complete && now.complete && now.fileCount > then.fileCount;
}

bool isExpired(const SetCardRecord& record, std::int64_t now) { return record.setAt < now - kSetCardRecordSeconds; }

bool newerFirst(const SetCardRecord& a, const SetCardRecord& b) { return a.setAt > b.setAt; }

} // namespace

CardVerdict judgeReturningCard(const SetCardRecord& record, const TimeFileOnCard& timeFile, const CardContents& now)
{
    switch (timeFile.state) {
    case TimeFileOnCard::State::Missing:
        return CardVerdict::Taken;
    case TimeFileOnCard::State::File:
        break;
    case TimeFileOnCard::State::NotOurFile:
    case TimeFileOnCard::State::Unknown:
        return CardVerdict::NothingYet;
    }
    // A file changed by someone else says nothing of the camera.
    if (timeFile.bytes != record.timeFileBytes)
        return CardVerdict::NothingYet;
    return recordedSince(record.contentsAtSet, now) ? CardVerdict::RecordedButNotRead : CardVerdict::NothingYet;
}

bool isKeepableRecord(const SetCardRecord& record)
{
    return !record.cardIdentity.empty() && record.cardIdentity.size() <= kMostCardIdentityBytes &&
        !record.timeFileName.empty() && record.timeFileName.size() <= kMostRecordedFileNameBytes &&
        record.timeFileBytes.size() <= kMostTimeFileBytes && record.modelKey.size() <= kMostModelKeyBytes &&
        record.timeStampRow >= 0;
}

SetCardRecords::SetCardRecords(std::vector<SetCardRecord> records, std::int64_t now)
{
    // Oldest first, so that of two records of one card the newer replaces the older.
    std::stable_sort(records.begin(), records.end(), [](const auto& a, const auto& b) { return a.setAt < b.setAt; });
    for (SetCardRecord& record : records)
        remember(std::move(record), now);
}

bool SetCardRecords::remember(SetCardRecord record, std::int64_t now)
{
    dropExpired(now);
    if (!isKeepableRecord(record) || isExpired(record, now))
        return false;
    // The card now holds the newer file, so the earlier record goes even if this one is not kept.
    std::erase_if(records_, [&](const SetCardRecord& kept) { return kept.cardIdentity == record.cardIdentity; });
    const auto place = std::upper_bound(records_.begin(), records_.end(), record, newerFirst);
    if (place - records_.begin() >= static_cast<std::ptrdiff_t>(kMostSetCardRecords))
        return false; // older than all of a full list
    records_.insert(place, std::move(record));
    if (records_.size() > kMostSetCardRecords)
        records_.pop_back();
    return true;
}

const SetCardRecord* SetCardRecords::find(std::string_view cardIdentity) const
{
    const auto found = std::find_if(records_.begin(), records_.end(),
        [&](const SetCardRecord& record) { return record.cardIdentity == cardIdentity; });
    return found == records_.end() ? nullptr : &*found;
}

std::optional<CardAnswer> SetCardRecords::answer(
    std::string_view cardIdentity, const TimeFileOnCard& timeFile, const CardContents& now)
{
    const auto record = std::find_if(
        records_.begin(), records_.end(), [&](const SetCardRecord& kept) { return kept.cardIdentity == cardIdentity; });
    if (record == records_.end() || record->answered)
        return std::nullopt;
    CardAnswer answer{judgeReturningCard(*record, timeFile, now), *record};
    if (answer.verdict != CardVerdict::NothingYet)
        record->answered = true;
    return answer;
}

void SetCardRecords::dropExpired(std::int64_t now)
{
    std::erase_if(records_, [&](const SetCardRecord& record) { return isExpired(record, now); });
}

} // namespace zv
