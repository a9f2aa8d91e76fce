#include "ui/common/DisplayFormats.h"

#include <QLocale>

namespace zv {

QString shortDateText(const QDate& date) { return QLocale::system().toString(date, QLocale::ShortFormat); }

QString longTimeText(const QTime& time)
{
    // The long format names the time zone ("t"), which a time without a date cannot have.
    QString format = QLocale::system().timeFormat(QLocale::LongFormat);
    format.remove(QLatin1Char('t'));
    return QLocale::system().toString(time, format.trimmed());
}

} // namespace zv
