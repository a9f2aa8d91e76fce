#pragma once

#include "ui/common/Seams.h"

#include <QDateTime>
#include <QStringList>
#include <QUrl>

namespace zv::test {

// A clock that stands still until its owner moves it.
class FakeClock final : public Clock {
public:
    FakeClock() = default;
    explicit FakeClock(QDateTime at) : moment(std::move(at)) { }

    QDateTime moment{QDate(2012, 10, 2), QTime(14, 24, 32)};

    qint64 currentSecsSinceEpoch() override { return moment.toSecsSinceEpoch(); }
    QDateTime localTime(qint64 secs) override { return QDateTime::fromSecsSinceEpoch(secs); }
};

// Opens nothing and notes what it was asked to open.
class RecordingOpener final : public AddressOpener {
public:
    void open(const QUrl& address) override { opened.push_back(address.toString()); }
    QStringList opened;
};

} // namespace zv::test
