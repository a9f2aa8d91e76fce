#pragma once

#include "drives/RemovableDriveList.h"
#include "drives/SetCardRecords.h"

#include <QObject>

#include <cstdint>
#include <functional>
#include <list>
#include <map>
#include <set>
#include <string>
#include <thread>
#include <vector>

namespace zv {

class DriveProbe;

// The camera's answer after a set. Each card set is remembered with what was written and what
// the card held then; when that card is plugged in again, or is there at start, it is looked at
// and the owner is told once whether the camera took the time. The record lives in the user's
// state folder, never on the card. A card's identity and contents are read on threads of their
// own, so no tick waits for a card; the probe is asked on this thread only.
class CardAnswers final : public QObject {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(CardAnswers)

public:
    // `recordsPath` empty: nothing is remembered. `now` gives seconds since the epoch.
    CardAnswers(DriveProbe& probe, std::string recordsPath, std::function<std::int64_t()> now);
    ~CardAnswers() override;

    // The set on `drive` succeeded; it is remembered once the card has been looked over.
    void remember(const DriveEntry& drive, const std::string& fileName, const std::string& bytes,
        const std::string& modelKey, int stampRow);

    // The drive list now shows `drives`. Each card new to the list is recognised, and looked at
    // when it waits for an answer.
    void drivesShown(const std::vector<DriveEntry>& drives);

    // The record of `drive` once it is recognised as a card set before; null otherwise.
    [[nodiscard]] const SetCardRecord* recordOf(const DriveEntry& drive) const;

    // Stops every look at the card at `root` and waits for it: a look holds the card's folders
    // open, which an eject must not meet.
    void release(const std::string& root);

    // Whether a card is being looked at now: an answer may still come.
    [[nodiscard]] bool looking() const { return !looks_.empty(); }

signals:
    // `drive` is a card set before: recordOf(drive) now tells what was chosen for it.
    void recognised(const zv::DriveEntry& drive);
    // The camera's answer for a card plugged in again; given once per set.
    void answered(zv::CardVerdict verdict, const zv::SetCardRecord& record);

private:
    struct Look {
        std::uint64_t id = 0;
        std::string root;
        std::jthread thread;
    };

    // Runs `work(stop)` on a thread of its own, then `done(result, stopped)` on this thread,
    // also when release() stopped it early.
    template <typename Work, typename Done> void lookAt(const std::string& root, Work work, Done done);
    void recognise(const DriveEntry& drive);
    void identified(const DriveEntry& drive, const std::string& identity);
    void askCamera(const std::string& root, const std::string& identity, const SetCardRecord& record);
    void save();

    DriveProbe& probe_;
    std::string recordsPath_;
    std::function<std::int64_t()> now_;
    SetCardRecords records_;
    std::map<std::string, std::string> identities_; // card identity by drive key, once read
    std::set<std::string> shown_; // the drive keys the list showed last
    std::set<std::string> setWhileShown_; // shown keys of cards set since they were plugged in
    std::list<Look> looks_;
    std::uint64_t nextLook_ = 0;
};

} // namespace zv
