#include "app/TXJustOne.h"

#include <QCryptographicHash>
#include <QDir>
#include <QStandardPaths>

namespace zv {

// Pipe names are global on Windows. The user's name and a digest of the user's own folder
// keep copies of different users apart, also of users of one name from different domains.
QString TXJustOne::channelName(const QString& name, const QString& folder)
{
    const QByteArray digest =
        QCryptographicHash::hash(QDir::toNativeSeparators(folder).toLower().toUtf8(), QCryptographicHash::Sha256);
    return name + QLatin1Char('-') + qEnvironmentVariable("USERNAME") + QLatin1Char('-') +
        QString::fromLatin1(digest.toHex().left(16));
}

// The user's own temporary folder, which no other user may write.
QString TXJustOne::defaultFolder(const QString& /*name*/)
{
    return QStandardPaths::writableLocation(QStandardPaths::TempLocation);
}

} // namespace zv
