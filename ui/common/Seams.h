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

// Takes a card out of the system as a file manager's "Eject" does: unmounts the file system at
// `root` and, where the drive allows it, powers the drive off, so the camera can be unplugged.
class CardEjector {
public:
    enum class Outcome {
        Ejected,
        Busy, // a program still has a file of the card open
        Refused, // the system or the user's rights said no
        NoService, // nothing here can eject (no UDisks2 on Linux)
        NotFound, // no drive of the system's is at `root` any more
        Failed, // anything else; `detail` says what
    };
    struct Result {
        Outcome outcome = Outcome::Failed;
        std::string detail; // the system's own words, UTF-8; may be empty
    };

    virtual ~CardEjector() = default;
    [[nodiscard]] virtual Result eject(const std::string& root) = 0;
};

// Everything the windows take from outside the program. The program passes the real ones,
// the window tests pass fakes.
struct Seams {
    Clock& clock;
    AddressOpener& opener;
    DriveProbe& driveProbe;
    std::function<std::uint16_t()> languageId;
    std::string settingsPath; // Zentrik.ini; the program's own files lie beside it
    CardEjector& ejector;
    std::string setCardsPath; // the record of the cards set, in the user's state folder; empty: none
};

} // namespace zv
