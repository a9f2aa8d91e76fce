#include "app/TXJustOne.h"

#include <QDir>
#include <QFileInfo>
#include <QWidget>

#include <algorithm>

namespace zv {

namespace {

// What a later copy says, and what the running copy answers once it has done it.
constexpr char kActivate[] = "activate\n";
constexpr char kAreYouThere[] = "are you there\n";
constexpr char kAnswer[] = "here\n";

// A first copy that has just taken the lock may not listen yet.
constexpr qint64 kListenGraceMs = 1000;
// How long a later copy waits in all for a running copy to answer before it starts on its
// own. A first copy started a moment earlier answers once its windows are built.
constexpr qint64 kGiveUpAfterMs = 6000;

} // namespace

TXJustOne::TXJustOne(const QString& name, const QString& folder, QObject* parent)
    : QObject(parent),
      guarded_(!folder.isEmpty()),
      serverName_(channelName(name, folder)),
      lock_(QDir(folder).filePath(name + QStringLiteral(".lock"))),
      listener_([this](const QByteArray& request) { return answer(request); })
{
    // Age alone never makes a lock stale; only the lack of a copy that answers does.
    lock_.setStaleLockTime(0);
}

void TXJustOne::setWindowToActivate(QWidget* window) { window_ = window; }

bool TXJustOne::check()
{
    if (!guarded_)
        return true;
    const QDeadlineTimer giveUp(kGiveUpAfterMs);
    while (!lock_.tryLock(0)) {
        if (handOver(giveUp))
            return false;
        // No copy answered. Unless a copy that is still starting holds the lock, it is left
        // over: take it over. A lock that cannot be had at all must not stop the start.
        if (giveUp.hasExpired() || (!lock_.removeStaleLockFile() && lockCannotBeHad())) {
            qWarning("Running without the single-copy lock %s.", qPrintable(lock_.fileName()));
            break;
        }
    }
    listen();
    return true;
}

bool TXJustOne::lockCannotBeHad() const
{
    if (lock_.error() != QLockFile::LockFailedError)
        return true; // the folder is unwritable or full
    const QFileInfo lock(lock_.fileName());
    return lock.isSymLink() || (lock.exists() && !lock.isFile());
}

bool TXJustOne::handOver(const QDeadlineTimer& giveUp) const
{
    const QDeadlineTimer listenBy(std::min(kListenGraceMs, giveUp.remainingTime()));
    return askListeningCopy(serverName_, SwitchToPrevious ? kActivate : kAreYouThere, listenBy, giveUp) == kAnswer;
}

void TXJustOne::listen()
{
    if (!listener_.listen(serverName_))
        qWarning("Later copies cannot reach this one: %s", qPrintable(listener_.errorString()));
}

QByteArray TXJustOne::answer(const QByteArray& request)
{
    if (request == kActivate)
        activate();
    else if (request != kAreYouThere)
        return {};
    return kAnswer;
}

void TXJustOne::activate()
{
    if (window_ == nullptr)
        return;
    if (window_->isMinimized())
        window_->showNormal();
    else
        window_->raise();
    window_->activateWindow();
}

} // namespace zv
