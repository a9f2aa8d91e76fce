#pragma once

#include <QDate>
#include <QString>
#include <QTime>

namespace zv {

// A date in the system's short date format, as the clock and the chosen moment show it.
[[nodiscard]] QString shortDateText(const QDate& date);

// A time in the system's long time format, without a time-zone name.
[[nodiscard]] QString longTimeText(const QTime& time);

} // namespace zv
