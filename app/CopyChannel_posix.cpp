#include "app/CopyChannel.h"

#include <QFile>
#include <QSocketNotifier>
#include <QThread>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <poll.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>
#include <utility>
#include <vector>

// A Unix socket of our own rather than Qt Network: one line each way is all the copies say,
// and Qt Network would load a dozen libraries (Kerberos, proxy lookup) into every start.
namespace zv {

namespace {

class Descriptor final {
public:
    explicit Descriptor(int fd = -1) : fd_(fd) { }
    ~Descriptor()
    {
        if (fd_ >= 0)
            ::close(fd_);
    }
    Descriptor(Descriptor&& other) noexcept : fd_(std::exchange(other.fd_, -1)) { }
    Descriptor& operator=(Descriptor&& other) noexcept
    {
        std::swap(fd_, other.fd_);
        return *this;
    }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;

    [[nodiscard]] int get() const { return fd_; }

private:
    int fd_;
};

[[nodiscard]] bool addressOf(const QString& name, sockaddr_un& address)
{
    const QByteArray path = QFile::encodeName(name);
    address = {};
    address.sun_family = AF_UNIX;
    if (path.isEmpty() || static_cast<std::size_t>(path.size()) >= sizeof address.sun_path)
        return false;
    std::memcpy(address.sun_path, path.constData(), static_cast<std::size_t>(path.size()));
    return true;
}

[[nodiscard]] Descriptor streamSocket()
{
    return Descriptor(::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0));
}

[[nodiscard]] bool sendAll(int fd, const QByteArray& bytes)
{
    return ::send(fd, bytes.constData(), static_cast<std::size_t>(bytes.size()), MSG_NOSIGNAL) == bytes.size();
}

// Reads what has arrived, up to a little more than the longest line, so a caller that never
// stops talking cannot hold the loop or fill the memory; false once the other side has closed
// or failed.
[[nodiscard]] bool receiveInto(int fd, QByteArray& heard)
{
    char buffer[kLongestCopyLine];
    while (heard.size() < kLongestCopyLine) {
        const ssize_t got = ::recv(fd, buffer, sizeof buffer, 0);
        if (got > 0)
            heard.append(buffer, got);
        else if (got == 0 || (errno != EINTR && errno != EAGAIN && errno != EWOULDBLOCK))
            return false;
        else if (errno != EINTR)
            return true;
    }
    return true;
}

// One connected copy: what it has said so far, and the notifier that reads more.
struct Peer {
    Descriptor socket;
    QByteArray heard;
    std::unique_ptr<QSocketNotifier> readable;
};

} // namespace

struct CopyListener::Private {
    void accept(CopyListener* listener);
    void listenTo(Peer* peer);

    Answer answer;
    Descriptor socket;
    QByteArray path;
    QString error;
    std::unique_ptr<QSocketNotifier> incoming;
    std::vector<std::unique_ptr<Peer>> peers;
};

void CopyListener::Private::accept(CopyListener* listener)
{
    for (int fd; (fd = ::accept4(socket.get(), nullptr, nullptr, SOCK_CLOEXEC | SOCK_NONBLOCK)) >= 0;) {
        auto peer = std::make_unique<Peer>(Peer{Descriptor(fd), {}, {}});
        peer->readable = std::make_unique<QSocketNotifier>(fd, QSocketNotifier::Read);
        Peer* const heard = peer.get();
        QObject::connect(
            heard->readable.get(), &QSocketNotifier::activated, listener, [this, heard] { listenTo(heard); });
        peers.push_back(std::move(peer));
    }
}

void CopyListener::Private::listenTo(Peer* peer)
{
    const bool open = receiveInto(peer->socket.get(), peer->heard);
    for (qsizetype end; (end = peer->heard.indexOf('\n')) >= 0;) {
        const QByteArray said = answer(peer->heard.left(end + 1));
        peer->heard.remove(0, end + 1);
        if (!said.isEmpty())
            (void)sendAll(peer->socket.get(), said);
    }
    if (open && peer->heard.size() < kLongestCopyLine)
        return;
    // Its notifier is the one calling: it is switched off now and deleted once the call is over.
    peer->readable->setEnabled(false);
    peer->readable.release()->deleteLater();
    std::erase_if(peers, [peer](const std::unique_ptr<Peer>& p) { return p.get() == peer; });
}

CopyListener::CopyListener(Answer answer, QObject* parent) : QObject(parent), d_(std::make_unique<Private>())
{
    d_->answer = std::move(answer);
}

CopyListener::~CopyListener()
{
    if (!d_->path.isEmpty())
        (void)::unlink(d_->path.constData());
}

bool CopyListener::listen(const QString& name)
{
    sockaddr_un address{};
    if (!addressOf(name, address)) {
        d_->error = QStringLiteral("The socket path does not fit.");
        return false;
    }
    Descriptor socket = streamSocket();
    // A socket file left by a killed copy would refuse the name.
    (void)::unlink(address.sun_path);
    if (socket.get() < 0 || ::bind(socket.get(), reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0 ||
        ::chmod(address.sun_path, S_IRUSR | S_IWUSR) != 0 || ::listen(socket.get(), SOMAXCONN) != 0) {
        d_->error = QString::fromLocal8Bit(std::strerror(errno));
        return false;
    }
    d_->path = address.sun_path;
    d_->socket = std::move(socket);
    d_->incoming = std::make_unique<QSocketNotifier>(d_->socket.get(), QSocketNotifier::Read);
    connect(d_->incoming.get(), &QSocketNotifier::activated, this, [this] { d_->accept(this); });
    return true;
}

QString CopyListener::errorString() const { return d_->error; }

QByteArray askListeningCopy(
    const QString& name, const QByteArray& line, const QDeadlineTimer& connectBy, const QDeadlineTimer& giveUp)
{
    sockaddr_un address{};
    if (!addressOf(name, address))
        return {};
    Descriptor socket = streamSocket();
    while (::connect(socket.get(), reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0) {
        // Not there yet, or too many callers at once: a copy that has just started may soon listen.
        if (socket.get() < 0 || connectBy.hasExpired())
            return {};
        QThread::msleep(50);
        socket = streamSocket();
    }
    if (!sendAll(socket.get(), line))
        return {};
    QByteArray answer;
    while (!answer.contains('\n') && answer.size() < kLongestCopyLine) {
        pollfd ready{socket.get(), POLLIN, 0};
        const int polled = ::poll(&ready, 1, static_cast<int>(std::max<qint64>(giveUp.remainingTime(), 0)));
        if (polled < 0 && errno == EINTR)
            continue;
        if (polled <= 0 || (!receiveInto(socket.get(), answer) && !answer.contains('\n')))
            return {};
    }
    return answer.left(answer.indexOf('\n') + 1);
}

} // namespace zv
