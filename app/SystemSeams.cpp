#include "app/SystemSeams.h"

#include "app/UserFolders.h"
#include "settings/SettingsLocation.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QDir>

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
    const QString configFolder = userConfigFolder();
    // Paths are UTF-8 in the core on every platform, so no code page can lose a folder's name.
    return settingsFilePath(
        QDir::toNativeSeparators(programFolder).toStdString(), QDir::toNativeSeparators(configFolder).toStdString());
}

std::string systemSetCardsPath()
{
    const QString folder = userStateFolder();
    return folder.isEmpty() ? std::string()
                            : QDir::toNativeSeparators(folder + QStringLiteral("/set-cards")).toStdString();
}

} // namespace zv
