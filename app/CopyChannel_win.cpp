#include "app/CopyChannel.h"

#include <QLocalServer>
#include <QLocalSocket>
#include <QThread>

#include <algorithm>

namespace zv {

namespace {

constexpr int kConnectMs = 200;

[[nodiscard]] int remainingMs(const QDeadlineTimer& deadline)
{
    return static_cast<int>(std::max<qint64>(deadline.remainingTime(), 0));
}

} // namespace

struct CopyListener::Private {
    Answer answer;
    QLocalServer server;
};

CopyListener::CopyListener(Answer answer, QObject* parent) : QObject(parent), d_(std::make_unique<Private>())
{
    d_->answer = std::move(answer);
}

CopyListener::~CopyListener() = default;

bool CopyListener::listen(const QString& name)
{
    QLocalServer::removeServer(name);
    d_->server.setSocketOptions(QLocalServer::UserAccessOption);
    connect(&d_->server, &QLocalServer::newConnection, this, [this] {
        while (QLocalSocket* socket = d_->server.nextPendingConnection()) {
            const auto reply = [this, socket] {
                while (socket->canReadLine())
                    if (const QByteArray said = d_->answer(socket->readLine()); !said.isEmpty())
                        socket->write(said);
                socket->flush();
            };
            connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
            connect(socket, &QLocalSocket::readyRead, this, reply);
            reply();
        }
    });
    return d_->server.listen(name);
}

QString CopyListener::errorString() const { return d_->server.errorString(); }

QByteArray askListeningCopy(
    const QString& name, const QByteArray& line, const QDeadlineTimer& connectBy, const QDeadlineTimer& giveUp)
{
    QLocalSocket socket;
    for (;;) {
        socket.connectToServer(name);
        if (socket.waitForConnected(kConnectMs))
            break;
        if (connectBy.hasExpired())
            return {};
        QThread::msleep(50);
    }
    socket.write(line);
    (void)socket.waitForBytesWritten(remainingMs(giveUp));
    while (!socket.canReadLine())
        if (giveUp.hasExpired() || !socket.waitForReadyRead(remainingMs(giveUp)))
            return {};
    return socket.readLine();
}

} // namespace zv
