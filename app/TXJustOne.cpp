#include "app/TXJustOne.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QLocalSocket>
#include <QStandardPaths>
#include <QThread>
#include <QWidget>

namespace zv {

namespace {

constexpr char kActivate[] = "activate\n";
constexpr int kAskForMs = 800; // a first copy started a moment earlier may not listen yet

} // namespace

TXJustOne::TXJustOne(const QString& name, const QString& folder, QObject* parent)
    : QObject(parent),
      serverName_(QDir(folder).filePath(name + QStringLiteral(".socket"))),
      lock_(QDir(folder).filePath(name + QStringLiteral(".lock")))
{
#ifdef Q_OS_WIN
    // Pipe names are global on Windows; the user's name keeps copies of different users apart.
    serverName_ = name + QLatin1Char('-') + qEnvironmentVariable("USERNAME");
#endif
    // Age alone never makes a lock stale; only a holder that is gone does.
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
    if (lock_.tryLock(0)) {
        listen();
        return true;
    }
    if (SwitchToPrevious)
        askFirstCopy();
    return false;
}

void TXJustOne::listen()
{
    // A socket left by a killed copy would refuse the name.
    QLocalServer::removeServer(serverName_);
    server_.setSocketOptions(QLocalServer::UserAccessOption);
    connect(&server_, &QLocalServer::newConnection, this, [this] {
        while (QLocalSocket* socket = server_.nextPendingConnection()) {
            connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
            connect(socket, &QLocalSocket::readyRead, this, [this, socket] {
                if (socket->readAll().contains('\n'))
                    activate();
            });
        }
    });
    (void)server_.listen(serverName_);
}

void TXJustOne::askFirstCopy() const
{
    const QDeadlineTimer deadline(kAskForMs);
    while (!deadline.hasExpired()) {
        QLocalSocket socket;
        socket.connectToServer(serverName_);
        if (socket.waitForConnected(100)) {
            socket.write(kActivate);
            socket.waitForBytesWritten(200);
            socket.disconnectFromServer();
            return;
        }
        QThread::msleep(50);
    }
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
