#include "app/UserFolders.h"

#include <QStandardPaths>

namespace zv {

// The local application data folder: what stays on this computer, also under a roaming profile.
QString userConfigFolder() { return QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation); }

QString userStateFolder() { return QStandardPaths::writableLocation(QStandardPaths::AppLocalDataLocation); }

QString userCacheFolder() { return QStandardPaths::writableLocation(QStandardPaths::GenericCacheLocation); }

} // namespace zv
