#pragma once

#include <QByteArray>
#include <QDeadlineTimer>
#include <QObject>
#include <QString>

#include <functional>
#include <memory>

namespace zv {

// A longer line than any copy sends ends the conversation.
inline constexpr qsizetype kLongestCopyLine = 256;

// The line channel between copies of the program: the running copy listens under a name (a
// socket in a private folder; a named pipe on Windows), a later copy sends it one line and
// waits for one line back. Lines end with '\n', which they carry.
class CopyListener final : public QObject {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(CopyListener)

public:
    // What to say to a line; an empty answer says nothing.
    using Answer = std::function<QByteArray(const QByteArray& line)>;

    explicit CopyListener(Answer answer, QObject* parent = nullptr);
    ~CopyListener() override;

    // Listens under `name`, first clearing what a killed copy may have left there, reachable
    // by this user alone. False, with errorString(), when it cannot.
    [[nodiscard]] bool listen(const QString& name);
    [[nodiscard]] QString errorString() const;

private:
    struct Private;
    std::unique_ptr<Private> d_;
};

// Sends `line` to the copy listening under `name` and returns its answer line, or nothing.
// Connecting is tried again until `connectBy`, as a copy that has just started may not listen
// yet; the answer is awaited until `giveUp`.
[[nodiscard]] QByteArray askListeningCopy(
    const QString& name, const QByteArray& line, const QDeadlineTimer& connectBy, const QDeadlineTimer& giveUp);

} // namespace zv
