#pragma once

#include <QLocalServer>
#include <QLockFile>
#include <QObject>
#include <QPointer>
#include <QString>

class QWidget;

namespace zv {

// Keeps one running copy per user. The first copy holds a lock named after the application
// title and listens for the others; a later copy asks it to come forward and ends. A lock
// left by a copy that was killed belongs to no living process and is taken over.
class TXJustOne final : public QObject {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TXJustOne)

public:
    // `folder` holds the lock and the listening socket: the user's runtime folder.
    TXJustOne(const QString& name, const QString& folder, QObject* parent = nullptr);

    // True for the first copy. A later copy, when SwitchToPrevious is set, has asked the first
    // one to come forward before this returns.
    [[nodiscard]] bool check();

    // The window the first copy brings forward when a later copy asks.
    void setWindowToActivate(QWidget* window) { window_ = window; }

    bool SwitchToPrevious = true;

    // The per-user folder for the lock: the runtime folder, or the temporary one on Windows.
    [[nodiscard]] static QString defaultFolder();

private:
    void listen();
    void askFirstCopy() const;
    void activate();

    QString serverName_;
    QLockFile lock_;
    QLocalServer server_;
    QPointer<QWidget> window_;
};

} // namespace zv
