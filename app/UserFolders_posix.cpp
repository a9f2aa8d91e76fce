#include "app/UserFolders.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

namespace zv {

namespace {

// A folder variable the user set to a real place; Qt would take "/" or a relative path as well.
QString absoluteFolderOf(const char* variable)
{
    const QString folder = qEnvironmentVariable(variable);
    return QDir::isAbsolutePath(folder) && QDir::cleanPath(folder) != QDir::rootPath() ? QDir::cleanPath(folder)
                                                                                       : QString();
}

// $VARIABLE, else the home folder's `underHome`, else nothing.
QString baseFolder(const char* variable, const char* underHome)
{
    if (QString set = absoluteFolderOf(variable); !set.isEmpty())
        return set;
    const QString home = absoluteFolderOf("HOME");
    if (home.isEmpty() || !QFileInfo(home).isDir())
        return {};
    return home + QLatin1Char('/') + QLatin1String(underHome);
}

QString programFolderIn(const QString& base)
{
    if (base.isEmpty())
        return {};
    return base + QLatin1Char('/') + QCoreApplication::organizationName() + QLatin1Char('/') +
        QCoreApplication::applicationName();
}

} // namespace

QString userConfigFolder() { return programFolderIn(baseFolder("XDG_CONFIG_HOME", ".config")); }

QString userStateFolder() { return programFolderIn(baseFolder("XDG_STATE_HOME", ".local/state")); }

QString userCacheFolder() { return baseFolder("XDG_CACHE_HOME", ".cache"); }

} // namespace zv
