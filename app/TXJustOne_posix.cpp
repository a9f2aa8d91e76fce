#include "app/TXJustOne.h"

#include "app/UserFolders.h"

#include <QDir>
#include <QFileInfo>

#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

namespace zv {

namespace {

QString socketFileName(const QString& name) { return name + QStringLiteral(".socket"); }

// A Unix socket's path, with its closing zero, must fit in sockaddr_un::sun_path.
[[nodiscard]] bool socketPathFits(const QString& folder, const QString& name)
{
    const QByteArray path = QFile::encodeName(QDir(folder).filePath(socketFileName(name)));
    return static_cast<std::size_t>(path.size()) < sizeof(sockaddr_un::sun_path);
}

// Makes `folder` (mode 0700) when it is missing; true when it is then private.
[[nodiscard]] bool makePrivateFolder(const QString& folder)
{
    (void)QDir().mkpath(QFileInfo(folder).path());
    (void)::mkdir(QFile::encodeName(folder).constData(), S_IRWXU);
    return isPrivateFolder(folder);
}

} // namespace

// A socket in the private folder.
QString TXJustOne::channelName(const QString& name, const QString& folder)
{
    return QDir(folder).filePath(socketFileName(name));
}

QString TXJustOne::defaultFolder(const QString& name)
{
    // Qt's runtime location is not asked: when it rejects every folder it answers with none,
    // which put the lock in the working folder and the socket in the shared temporary one.
    const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (QDir::isAbsolutePath(runtime) && socketPathFits(runtime, name) && isPrivateFolder(runtime))
        return runtime;
    const QString cache = userCacheFolder();
    // The short one under the temporary folder serves a home too deep for a socket path; a
    // name taken there by someone else fails the check and leaves the guard off.
    const QString ownFolders[] = {QDir::isAbsolutePath(cache) ? cache + QLatin1Char('/') + name : QString(),
        QDir::tempPath() + QStringLiteral("/zentrik-vesmar-") + QString::number(::geteuid())};
    for (const QString& folder : ownFolders)
        if (!folder.isEmpty() && socketPathFits(folder, name) && makePrivateFolder(folder))
            return folder;
    qWarning("No private folder for the single-copy lock; every start opens a window.");
    return {};
}

bool isPrivateFolder(const QString& folder)
{
    struct stat info { };
    if (folder.isEmpty() || ::lstat(QFile::encodeName(folder).constData(), &info) != 0)
        return false;
    return S_ISDIR(info.st_mode) && info.st_uid == ::geteuid() && (info.st_mode & (S_IWGRP | S_IWOTH)) == 0;
}

} // namespace zv
