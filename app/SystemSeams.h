#pragma once

#include "ui/common/Seams.h"

namespace zv {

// The computer's own clock. The local date and time of a second are worked out once, when
// the second changes; every other tick costs one reading of the system time.
class SystemClock final : public Clock {
public:
    qint64 currentSecsSinceEpoch() override;
    QDateTime localTime(qint64 secsSinceEpoch) override;

private:
    qint64 cachedSecond_ = -1;
    QDateTime cachedLocal_;
};

// The desktop's default handler for web and mail addresses.
class SystemAddressOpener final : public AddressOpener {
public:
    void open(const QUrl& address) override;
};

// Zentrik.ini beside the program when it is there or that folder is writable, otherwise in
// the user's configuration folder; empty when the user has none.
[[nodiscard]] std::string systemSettingsPath();

// The record of the cards set, in the user's state folder; empty when the user has none.
[[nodiscard]] std::string systemSetCardsPath();

} // namespace zv
