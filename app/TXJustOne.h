#pragma once

#include "app/CopyChannel.h"

#include <QDeadlineTimer>
#include <QLockFile>
#include <QObject>
#include <QPointer>
#include <QString>

class QWidget;

namespace zv {

// Keeps one running copy per user. The first copy holds a lock named after the application
// title and listens for the others; a later copy asks it to come forward and ends once it has
// answered. A lock that no answering copy holds (left by a killed copy, emptied, or naming some
// other process) is taken over; when no lock can be had at all, the copy runs without one but
// still listens, so later copies come to it.
class TXJustOne final : public QObject {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TXJustOne)

public:
    // `folder` holds the lock and the listening socket and must be one only this user can
    // write; an empty one turns the guard off, so every copy starts.
    TXJustOne(const QString& name, const QString& folder, QObject* parent = nullptr);

    // True when this copy is to run. False only after a running copy has answered, and, when
    // SwitchToPrevious is set, come forward.
    [[nodiscard]] bool check();

    // The window the first copy brings forward when a later copy asks.
    void setWindowToActivate(QWidget* window);

    bool SwitchToPrevious = true;

    // The name this copy listens under for later copies.
    [[nodiscard]] const QString& serverName() const { return serverName_; }

    // The per-user folder for the lock and the socket of `name`: the runtime folder when it is
    // private, else a private one made in the user's cache folder, else in the temporary
    // folder; empty when none is private. On Windows the user's temporary folder.
    [[nodiscard]] static QString defaultFolder(const QString& name);

private:
    // The name the channel between copies of `name` goes by, for the lock folder `folder`.
    [[nodiscard]] static QString channelName(const QString& name, const QString& folder);
    [[nodiscard]] bool handOver(const QDeadlineTimer& giveUp) const;
    [[nodiscard]] bool lockCannotBeHad() const;
    void listen();
    [[nodiscard]] QByteArray answer(const QByteArray& request);
    void activate();

    bool guarded_;
    QString serverName_;
    QLockFile lock_;
    CopyListener listener_;
    QPointer<QWidget> window_;
};

// True when `folder` is a real folder (not a link) owned by this user that neither its group
// nor others may write. POSIX only: Windows keeps the lock in the user's own temporary folder.
[[nodiscard]] bool isPrivateFolder(const QString& folder);

} // namespace zv
