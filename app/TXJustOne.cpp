#include "app/TXJustOne.h"

#include <QDir>
#include <QFileInfo>
#include <QLocalSocket>
#include <QStandardPaths>
#include <QThread>
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
constexpr int kConnectMs = 200;
// How long a later copy waits in all for a running copy to answer before it starts on its
// own. A first copy started a moment earlier answers once its windows are built.
constexpr qint64 kGiveUpAfterMs = 6000;

QString socketFileName(const QString& name) { return name + QStringLiteral(".socket"); }

[[nodiscard]] int remainingMs(const QDeadlineTimer& deadline)
{
    return static_cast<int>(std::max<qint64>(deadline.remainingTime(), 0));
}

} // namespace

TXJustOne::TXJustOne(const QString& name, const QString& folder, QObject* parent)
    : QObject(parent),
      serverName_(QDir(folder).filePath(socketFileName(name))),
      lock_(QDir(folder).filePath(name + QStringLiteral(".lock")))
{
#ifdef Q_OS_WIN
    // Pipe names are global on Windows; the user's name keeps copies of different users apart.
    serverName_ = name + QLatin1Char('-') + qEnvironmentVariable("USERNAME");
#endif
    // Age alone never makes a lock stale; only the lack of a copy that answers does.
    lock_.setStaleLockTime(0);
}

QString TXJustOne::defaultFolder()
{
#ifdef Q_OS_WIN
    return QStandardPaths::writableLocation(QStandardPaths::TempLocation);
#else
    return QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
#endif
}

bool TXJustOne::check()
{
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
    QLocalSocket socket;
    for (;;) {
        socket.connectToServer(serverName_);
        if (socket.waitForConnected(kConnectMs))
            break;
        if (listenBy.hasExpired())
            return false;
        QThread::msleep(50);
    }
    socket.write(SwitchToPrevious ? kActivate : kAreYouThere);
    (void)socket.waitForBytesWritten(remainingMs(giveUp));
    while (!socket.canReadLine())
        if (giveUp.hasExpired() || !socket.waitForReadyRead(remainingMs(giveUp)))
            return false;
    return socket.readLine() == kAnswer;
}

void TXJustOne::listen()
{
    // A socket left by a killed copy would refuse the name.
    QLocalServer::removeServer(serverName_);
    server_.setSocketOptions(QLocalServer::UserAccessOption);
    connect(&server_, &QLocalServer::newConnection, this, [this] {
        while (QLocalSocket* socket = server_.nextPendingConnection()) {
            connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
            connect(socket, &QLocalSocket::readyRead, this, [this, socket] { answer(socket); });
            answer(socket);
        }
    });
    if (!server_.listen(serverName_))
        qWarning("Later copies cannot reach this one: %s", qPrintable(server_.errorString()));
}

void TXJustOne::answer(QLocalSocket* socket)
{
    while (socket->canReadLine()) {
        const QByteArray request = socket->readLine();
        if (request == kActivate)
            activate();
        else if (request != kAreYouThere)
            continue;
        socket->write(kAnswer);
    }
    socket->flush();
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
