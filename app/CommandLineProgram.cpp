#include "app/CommandLineProgram.h"

#include "app/CommandLineConsole.h"
#include "app/CommandLineEject.h"
#include "app/SystemSeams.h"
#include "app/UserFolders.h"
#include "app/ZentrikApplication.h"
#include "commandline/CommandLineRun.h"
#include "drives/DriveProbe.h"
#include "settings/OwnFormatsFile.h"
#include "settings/ProgramOptions.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFileInfo>

namespace zv {

namespace {

LocalDateTime localTimeOf(std::int64_t secsSinceEpoch)
{
    const QDateTime moment = QDateTime::fromSecsSinceEpoch(secsSinceEpoch);
    const QDate date = moment.date();
    const QTime time = moment.time();
    return {date.year(), date.month(), date.day(), time.hour(), time.minute(), time.second()};
}

std::string nativePath(const QString& path) { return QDir::toNativeSeparators(path).toStdString(); }

// The program's own files sit beside Zentrik.ini; none without it.
std::string besideSettings(const std::string& settingsPath, std::string_view name)
{
    if (settingsPath.empty())
        return {};
    const QString folder = QFileInfo(QString::fromStdString(settingsPath)).absolutePath();
    return nativePath(folder + QLatin1Char('/') + QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size())));
}

std::string setCardRecordsPath()
{
    const QString folder = userStateFolder();
    return folder.isEmpty() ? std::string() : nativePath(folder + QStringLiteral("/set-cards"));
}

} // namespace

int runCommandLineProgram(int argc, char** argv)
{
    attachToStartingConsole();
    const std::vector<std::string> arguments = commandLineArguments(argc, argv);
    // For the program's folder and the user's folders; no display, no window.
    QCoreApplication application(argc, argv);
    setProgramNames();

    const std::unique_ptr<DriveProbe> probe = makeSystemDriveProbe();
    const std::string settingsPath = systemSettingsPath();
    const CommandLineWorld world{*probe, settingsPath, besideSettings(settingsPath, kOwnFormatsFileName),
        besideSettings(settingsPath, kProgramOptionsFileName), setCardRecordsPath(),
        [] { return static_cast<std::int64_t>(QDateTime::currentSecsSinceEpoch()); }, localTimeOf, systemCardEject(),
        [](std::string_view text) { writeToConsole(stdout, text); },
        [](std::string_view text) { writeToConsole(stderr, text); }};
    return runCommandLine(arguments, world);
}

} // namespace zv
