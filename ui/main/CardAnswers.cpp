#include "ui/main/CardAnswers.h"

#include "drives/CardIdentity.h"
#include "drives/CardScan.h"
#include "drives/SetCardRecordsFile.h"
#include "drives/TimeFileOnCard.h"
#include "drives/VolumeSize.h"

#include <QMetaObject>

#include <algorithm>
#include <utility>

namespace zv {

namespace {

// Reads the card's size only where the file system gives no id: that may touch the card.
std::string identityOf(const DriveEntry& drive)
{
    const std::optional<std::uint64_t> size =
        drive.fileSystemId.empty() ? volumeTotalBytes(drive.rootPath) : std::nullopt;
    return cardIdentity(drive.fileSystemId, drive.label, size);
}

} // namespace

CardAnswers::CardAnswers(DriveProbe& probe, std::string recordsPath, std::function<std::int64_t()> now)
    : probe_(probe),
      recordsPath_(std::move(recordsPath)),
      now_(std::move(now)),
      records_(recordsPath_.empty() ? SetCardRecords() : loadSetCardRecords(recordsPath_, now_()))
{
}

// The looks stop and end with the window: each joins its thread as it goes.
CardAnswers::~CardAnswers()
{
    for (Look& look : looks_)
        look.thread.request_stop();
}

template <typename Work, typename Done> void CardAnswers::lookAt(const std::string& root, Work work, Done done)
{
    const std::uint64_t id = ++nextLook_;
    Look& look = looks_.emplace_back(Look{id, root, {}});
    look.thread =
        std::jthread([this, id, work = std::move(work), done = std::move(done)](const std::stop_token& stop) mutable {
            auto result = work(stop);
            const bool stopped = stop.stop_requested();
            // Queued to this thread; dropped unread if the window goes first.
            QMetaObject::invokeMethod(
                this,
                [this, id, stopped, result = std::move(result), done = std::move(done)]() mutable {
                    std::erase_if(looks_, [id](const Look& ended) { return ended.id == id; });
                    done(std::move(result), stopped);
                },
                Qt::QueuedConnection);
        });
}

void CardAnswers::remember(const DriveEntry& drive, const std::string& fileName, const std::string& bytes,
    const std::string& modelKey, int stampRow)
{
    if (recordsPath_.empty())
        return;
    SetCardRecord record{{}, fileName, bytes, now_(), {}, modelKey, stampRow, false};
    const std::string key = driveKey(drive);
    setWhileShown_.insert(key);
    lookAt(
        drive.rootPath,
        [drive, fileName](const std::stop_token& stop) {
            return std::make_pair(identityOf(drive), scanCard(drive.rootPath, fileName, stop));
        },
        // A look cut short by an eject still counts: the camera's taking the file tells all the same.
        // What it saw of the card does not: a later full look would find older files "new".
        [this, key, record = std::move(record)](std::pair<std::string, CardContents> found, bool stopped) mutable {
            if (found.first.empty())
                return;
            identities_[key] = found.first;
            record.cardIdentity = std::move(found.first);
            record.contentsAtSet = stopped ? CardContents{} : found.second;
            if (records_.remember(std::move(record), now_()))
                save();
        });
}

void CardAnswers::drivesShown(const std::vector<DriveEntry>& drives)
{
    std::set<std::string> shown;
    for (const DriveEntry& drive : drives)
        shown.insert(driveKey(drive));
    const std::set<std::string> before = std::exchange(shown_, std::move(shown));
    std::erase_if(setWhileShown_, [this](const std::string& key) { return !shown_.contains(key); });
    for (const DriveEntry& drive : drives) {
        if (!before.contains(driveKey(drive)))
            recognise(drive);
    }
}

void CardAnswers::recognise(const DriveEntry& drive)
{
    if (const auto known = identities_.find(driveKey(drive)); known != identities_.end()) {
        identified(drive, known->second);
        return;
    }
    lookAt(
        drive.rootPath, [drive](const std::stop_token&) { return identityOf(drive); },
        [this, drive](std::string identity, bool) {
            if (identity.empty())
                return;
            identities_[driveKey(drive)] = identity;
            identified(drive, identity);
        });
}

void CardAnswers::identified(const DriveEntry& drive, const std::string& identity)
{
    // A card set while it is shown has not been to the camera: a look begun when it was plugged
    // may end after the set, and must not ask it.
    const std::string key = driveKey(drive);
    const SetCardRecord* record = records_.find(identity);
    if (record == nullptr || !shown_.contains(key) || setWhileShown_.contains(key))
        return;
    emit recognised(drive);
    if (!record->answered)
        askCamera(drive.rootPath, identity, *record);
}

void CardAnswers::askCamera(const std::string& root, const std::string& identity, const SetCardRecord& record)
{
    const TimeFileOnCard timeFile = lookAtTimeFile(root, record.timeFileName, probe_);
    if (timeFile.state == TimeFileOnCard::State::Unknown)
        return;
    const std::string fileName = record.timeFileName;
    lookAt(
        root, [root, fileName](const std::stop_token& stop) { return scanCard(root, fileName, stop); },
        [this, identity, timeFile](CardContents now, bool stopped) {
            if (stopped)
                return; // the card is on its way out; it is asked again when it comes back
            const std::optional<CardAnswer> answer = records_.answer(identity, timeFile, now);
            if (!answer || answer->verdict == CardVerdict::NothingYet)
                return;
            save();
            emit answered(answer->verdict, answer->record);
        });
}

const SetCardRecord* CardAnswers::recordOf(const DriveEntry& drive) const
{
    const auto identity = identities_.find(driveKey(drive));
    return identity == identities_.end() ? nullptr : records_.find(identity->second);
}

void CardAnswers::release(const std::string& root)
{
    for (Look& look : looks_) {
        if (look.root == root && look.thread.joinable()) {
            look.thread.request_stop();
            look.thread.join();
        }
    }
}

// Our own file: a failure to keep it costs only the answers to come, and is not worth a word.
void CardAnswers::save()
{
    if (!recordsPath_.empty())
        (void)saveSetCardRecords(recordsPath_, records_, now_());
}

} // namespace zv
