#include "app/SystemSeams.h"

#include "settings/SettingsLocation.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QDir>
#include <QStandardPaths>

namespace zv {

qint64 SystemClock::currentSecsSinceEpoch() { return QDateTime::currentSecsSinceEpoch(); }

QDateTime SystemClock::localTime(qint64 secsSinceEpoch)
{
    if (secsSinceEpoch != cachedSecond_) {
        cachedSecond_ = secsSinceEpoch;
        cachedLocal_ = QDateTime::fromSecsSinceEpoch(secsSinceEpoch);
    }
    return cachedLocal_;
}

void SystemAddressOpener::open(const QUrl& address) { (void)QDesktopServices::openUrl(address); }

std::string systemSettingsPath()
{
    const QString programFolder = QCoreApplication::applicationDirPath();
    const QString configFolder = QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation);
    return settingsFilePath(QDir::toNativeSeparators(programFolder).toLocal8Bit().toStdString(),
        QDir::toNativeSeparators(configFolder).toLocal8Bit().toStdString());
}

} // namespace zv
