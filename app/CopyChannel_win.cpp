#include "app/CopyChannel.h"

#include <QThread>
#include <QWinEventNotifier>

#include <windows.h>

#include <sddl.h>

#include <algorithm>
#include <string>
#include <vector>

// A named pipe of our own rather than Qt Network: one line each way is all the copies say, and
// without Qt Network the Qt for Windows that the program links builds faster and weighs less.
namespace zv {

namespace {

// Callers heard at once; each holds an instance of the pipe until it hangs up.
constexpr DWORD kMostCallers = 8;
// How long the running copy tries to hand its answer over.
constexpr qint64 kAnswerMs = 1000;

struct HandleCloser {
    void operator()(HANDLE handle) const { ::CloseHandle(handle); }
};
using Handle = std::unique_ptr<void, HandleCloser>;

struct LocalFreer {
    void operator()(void* memory) const { ::LocalFree(memory); }
};
using LocalMemory = std::unique_ptr<void, LocalFreer>;

[[nodiscard]] Handle owned(HANDLE handle) { return Handle(handle == INVALID_HANDLE_VALUE ? nullptr : handle); }

[[nodiscard]] Handle manualResetEvent() { return owned(::CreateEventW(nullptr, TRUE, FALSE, nullptr)); }

[[nodiscard]] std::wstring pipePath(const QString& name)
{
    return (QStringLiteral(R"(\\.\pipe\)") + name).toStdWString();
}

[[nodiscard]] DWORD remainingMs(const QDeadlineTimer& deadline)
{
    return static_cast<DWORD>(std::clamp<qint64>(deadline.remainingTime(), 0, INT_MAX));
}

// A security descriptor that lets the user running the program, and no one else, open the pipe.
[[nodiscard]] LocalMemory userOnlyDescriptor()
{
    HANDLE token = nullptr;
    if (!::OpenProcessToken(::GetCurrentProcess(), TOKEN_QUERY, &token))
        return {};
    const Handle tokenHandle(token);
    DWORD size = 0;
    (void)::GetTokenInformation(token, TokenUser, nullptr, 0, &size);
    std::vector<char> user(size);
    wchar_t* sid = nullptr;
    if (size == 0 || !::GetTokenInformation(token, TokenUser, user.data(), size, &size) ||
        !::ConvertSidToStringSidW(reinterpret_cast<const TOKEN_USER*>(user.data())->User.Sid, &sid))
        return {};
    const LocalMemory sidText(sid);
    const std::wstring rules = L"D:P(A;;GA;;;" + std::wstring(sid) + L")";
    PSECURITY_DESCRIPTOR descriptor = nullptr;
    if (!::ConvertStringSecurityDescriptorToSecurityDescriptorW(rules.c_str(), SDDL_REVISION_1, &descriptor, nullptr))
        return {};
    return LocalMemory(descriptor);
}

// Reads into or writes from `bytes` on an overlapped `pipe`, waiting until `deadline`; the
// bytes moved, or -1.
[[nodiscard]] qint64 transfer(HANDLE pipe, bool reading, char* bytes, DWORD size, const QDeadlineTimer& deadline)
{
    const Handle over = manualResetEvent();
    if (!over)
        return -1;
    OVERLAPPED op{};
    op.hEvent = over.get();
    const BOOL started =
        reading ? ::ReadFile(pipe, bytes, size, nullptr, &op) : ::WriteFile(pipe, bytes, size, nullptr, &op);
    if (!started && ::GetLastError() != ERROR_IO_PENDING)
        return -1;
    if (::WaitForSingleObject(over.get(), remainingMs(deadline)) != WAIT_OBJECT_0)
        (void)::CancelIoEx(pipe, &op);
    DWORD moved = 0;
    return ::GetOverlappedResult(pipe, &op, &moved, TRUE) ? static_cast<qint64>(moved) : -1;
}

// One instance of the pipe: it waits for a caller, then hears it out until it hangs up.
struct Instance {
    Instance() = default;
    Instance(const Instance&) = delete;
    Instance& operator=(const Instance&) = delete;
    // The buffer and the OVERLAPPED must outlive what the system still does with them.
    ~Instance()
    {
        DWORD moved = 0;
        if (pending && ::CancelIoEx(pipe.get(), &op))
            (void)::GetOverlappedResult(pipe.get(), &op, &moved, TRUE);
    }

    // Notes an overlapped operation just begun; false when it failed at once.
    [[nodiscard]] bool begun(BOOL started)
    {
        pending = started || ::GetLastError() == ERROR_IO_PENDING;
        return pending;
    }
    [[nodiscard]] bool readMore() { return begun(::ReadFile(pipe.get(), buffer, sizeof buffer, nullptr, &op)); }

    Handle pipe;
    Handle event;
    OVERLAPPED op{};
    bool pending = false;
    bool talking = false;
    QByteArray heard;
    char buffer[kLongestCopyLine]{};
    std::unique_ptr<QWinEventNotifier> notifier;
};

} // namespace

struct CopyListener::Private {
    [[nodiscard]] bool openInstance(CopyListener* listener, bool first);
    void signalled(CopyListener* listener, Instance* instance);
    void hear(Instance* instance, DWORD moved);
    void drop(CopyListener* listener, Instance* instance);

    Answer answer;
    std::wstring path;
    LocalMemory descriptor;
    QString error;
    std::vector<std::unique_ptr<Instance>> instances;
};

// A new instance waiting for the next caller. The first one also makes sure that no one else
// already listens under the name.
bool CopyListener::Private::openInstance(CopyListener* listener, bool first)
{
    SECURITY_ATTRIBUTES attributes{sizeof attributes, descriptor.get(), FALSE};
    auto instance = std::make_unique<Instance>();
    instance->pipe = owned(::CreateNamedPipeW(path.c_str(),
        PIPE_ACCESS_DUPLEX | FILE_FLAG_OVERLAPPED | (first ? FILE_FLAG_FIRST_PIPE_INSTANCE : 0),
        PIPE_TYPE_BYTE | PIPE_READMODE_BYTE | PIPE_WAIT | PIPE_REJECT_REMOTE_CLIENTS, kMostCallers, kLongestCopyLine,
        kLongestCopyLine, 0, &attributes));
    if (instance->pipe)
        instance->event = manualResetEvent();
    if (!instance->event) {
        error = qt_error_string();
        return false;
    }
    instance->op.hEvent = instance->event.get();
    if (!instance->begun(::ConnectNamedPipe(instance->pipe.get(), &instance->op))) {
        if (::GetLastError() != ERROR_PIPE_CONNECTED) {
            error = qt_error_string();
            return false;
        }
        // A caller came before the wait began: it is heard in the loop like any other.
        (void)::SetEvent(instance->event.get());
    }
    instance->notifier = std::make_unique<QWinEventNotifier>(instance->event.get());
    Instance* const raw = instance.get();
    QObject::connect(raw->notifier.get(), &QWinEventNotifier::activated, listener,
        [this, listener, raw] { signalled(listener, raw); });
    instances.push_back(std::move(instance));
    return true;
}

void CopyListener::Private::signalled(CopyListener* listener, Instance* instance)
{
    DWORD moved = 0;
    bool done = true;
    if (instance->pending) {
        done = ::GetOverlappedResult(instance->pipe.get(), &instance->op, &moved, FALSE);
        if (!done && ::GetLastError() == ERROR_IO_INCOMPLETE)
            return;
        instance->pending = false;
    } else {
        (void)::ResetEvent(instance->event.get());
    }
    if (!instance->talking) {
        instance->talking = true;
        // The next caller gets an instance of its own, so a silent caller holds up no one.
        if (instances.size() < kMostCallers && !openInstance(listener, false))
            qWarning("Later copies may not reach this one: %s", qPrintable(error));
    } else if (done) {
        hear(instance, moved);
    }
    if (!done || instance->heard.size() >= kLongestCopyLine || !instance->readMore())
        drop(listener, instance);
}

void CopyListener::Private::hear(Instance* instance, DWORD moved)
{
    instance->heard.append(instance->buffer, moved);
    for (qsizetype end; (end = instance->heard.indexOf('\n')) >= 0;) {
        QByteArray said = answer(instance->heard.left(end + 1));
        instance->heard.remove(0, end + 1);
        if (!said.isEmpty())
            (void)transfer(
                instance->pipe.get(), false, said.data(), static_cast<DWORD>(said.size()), QDeadlineTimer(kAnswerMs));
    }
}

void CopyListener::Private::drop(CopyListener* listener, Instance* instance)
{
    // Its notifier is the one calling: it is switched off now and deleted once the call is over.
    instance->notifier->setEnabled(false);
    instance->notifier.release()->deleteLater();
    std::erase_if(instances, [instance](const std::unique_ptr<Instance>& i) { return i.get() == instance; });
    const bool someoneWaits =
        std::any_of(instances.begin(), instances.end(), [](const auto& i) { return !i->talking; });
    if (!someoneWaits && !openInstance(listener, false))
        qWarning("Later copies cannot reach this one: %s", qPrintable(error));
}

CopyListener::CopyListener(Answer answer, QObject* parent) : QObject(parent), d_(std::make_unique<Private>())
{
    d_->answer = std::move(answer);
}

CopyListener::~CopyListener() = default;

bool CopyListener::listen(const QString& name)
{
    d_->path = pipePath(name);
    d_->descriptor = userOnlyDescriptor();
    if (!d_->descriptor) {
        d_->error = QStringLiteral("No security descriptor for this user alone: ") + qt_error_string();
        return false;
    }
    return d_->openInstance(this, true);
}

QString CopyListener::errorString() const { return d_->error; }

QByteArray askListeningCopy(
    const QString& name, const QByteArray& line, const QDeadlineTimer& connectBy, const QDeadlineTimer& giveUp)
{
    const std::wstring path = pipePath(name);
    Handle pipe;
    // Impersonation is refused: whoever listens under the name learns who calls and no more.
    while (!(pipe = owned(::CreateFileW(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                 FILE_FLAG_OVERLAPPED | SECURITY_SQOS_PRESENT | SECURITY_IDENTIFICATION, nullptr)))) {
        // Not there yet, or every instance busy: a copy that has just started may soon listen.
        if (connectBy.hasExpired())
            return {};
        QThread::msleep(50);
    }
    QByteArray said = line;
    if (transfer(pipe.get(), false, said.data(), static_cast<DWORD>(said.size()), giveUp) != said.size())
        return {};
    QByteArray answer;
    char buffer[kLongestCopyLine];
    while (!answer.contains('\n') && answer.size() < kLongestCopyLine) {
        const qint64 got = transfer(pipe.get(), true, buffer, sizeof buffer, giveUp);
        if (got <= 0)
            return {};
        answer.append(buffer, got);
    }
    return answer.left(answer.indexOf('\n') + 1);
}

} // namespace zv
