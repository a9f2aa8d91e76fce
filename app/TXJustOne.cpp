#include "app/TXJustOne.h"

#include "app/UserFolders.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>
#include <QWidget>

#ifdef Q_OS_WIN
#include <QCryptographicHash>
#else
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>
#endif

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

QString socketFileName(const QString& name) { return name + QStringLiteral(".socket"); }

#ifndef Q_OS_WIN
// A Unix socket's path, with its closing zero, must fit in sockaddr_un::sun_path.
[[nodiscard]] bool socketPathFits(const QString& folder, const QString& name)
{
    const QByteArray path = QFile::encodeName(QDir(folder).filePath(socketFileName(name)));
    return static_cast<std::size_t>(path.size()) < sizeof(sockaddr_un::sun_path);
}

// Makes `folder` (mode 0700) when it is missing; true when it is then private.
[[nodiscard]] bool makePrivateFolder(const QString& folder)
{
    (void)QDir().mkpath(QFileInfo(folder).path());
    (void)::mkdir(QFile::encodeName(folder).constData(), S_IRWXU);
    return isPrivateFolder(folder);
}
#endif

} // namespace

TXJustOne::TXJustOne(const QString& name, const QString& folder, QObject* parent)
    : QObject(parent),
      guarded_(!folder.isEmpty()),
      serverName_(QDir(folder).filePath(socketFileName(name))),
      lock_(QDir(folder).filePath(name + QStringLiteral(".lock"))),
      listener_([this](const QByteArray& request) { return answer(request); })
{
#ifdef Q_OS_WIN
    // Pipe names are global on Windows. The user's name and a digest of the user's own folder
    // keep copies of different users apart, also of users of one name from different domains.
    const QByteArray digest =
        QCryptographicHash::hash(QDir::toNativeSeparators(folder).toLower().toUtf8(), QCryptographicHash::Sha256);
    serverName_ = name + QLatin1Char('-') + qEnvironmentVariable("USERNAME") + QLatin1Char('-') +
        QString::fromLatin1(digest.toHex().left(16));
#endif
    // Age alone never makes a lock stale; only the lack of a copy that answers does.
    lock_.setStaleLockTime(0);
}

QString TXJustOne::defaultFolder(const QString& name)
{
#ifdef Q_OS_WIN
    Q_UNUSED(name)
    return QStandardPaths::writableLocation(QStandardPaths::TempLocation);
#else
    // Qt's runtime location is not asked: when it rejects every folder it answers with none,
    // which put the lock in the working folder and the socket in the shared temporary one.
    const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (QDir::isAbsolutePath(runtime) && socketPathFits(runtime, name) && isPrivateFolder(runtime))
        return runtime;
    const QString cache = userCacheFolder();
    // The short one under the temporary folder serves a home too deep for a socket path; a
    // name taken there by someone else fails the check and leaves the guard off.
    const QString ownFolders[] = {QDir::isAbsolutePath(cache) ? cache + QLatin1Char('/') + name : QString(),
        QDir::tempPath() + QStringLiteral("/zentrik-vesmar-") + QString::number(::geteuid())};
    for (const QString& folder : ownFolders)
        if (!folder.isEmpty() && socketPathFits(folder, name) && makePrivateFolder(folder))
            return folder;
    qWarning("No private folder for the single-copy lock; every start opens a window.");
    return {};
#endif
}

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

#ifndef Q_OS_WIN
bool isPrivateFolder(const QString& folder)
{
    struct stat info { };
    if (folder.isEmpty() || ::lstat(QFile::encodeName(folder).constData(), &info) != 0)
        return false;
    return S_ISDIR(info.st_mode) && info.st_uid == ::geteuid() && (info.st_mode & (S_IWGRP | S_IWOTH)) == 0;
}
#endif

} // namespace zv
