#pragma once

#include <QDateTime>
#include <QUrl>

#include <cstdint>
#include <functional>
#include <string>

namespace zv {

class DriveProbe;

// Local wall-clock time. Both 1 ms timers ask for the second on every tick, so that must be
// cheap; the local date and time are asked only when the second has changed.
class Clock {
public:
    virtual ~Clock() = default;
    [[nodiscard]] virtual qint64 currentSecsSinceEpoch() = 0;
    [[nodiscard]] virtual QDateTime localTime(qint64 secsSinceEpoch) = 0;
};

// Hands an address ("https://…", "mailto:…") to the system's default handler; the outcome
// is not looked at.
class AddressOpener {
public:
    virtual ~AddressOpener() = default;
    virtual void open(const QUrl& address) = 0;
};

// Everything the windows take from outside the program. The program passes the real ones,
// the window tests pass fakes.
struct Seams {
    Clock& clock;
    AddressOpener& opener;
    DriveProbe& driveProbe;
    std::function<std::uint16_t()> languageId;
    std::string settingsPath;
};

} // namespace zv
