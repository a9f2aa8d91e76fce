#include "app/Program.h"

#include "app/CardEjector.h"
#include "app/CommandLineProgram.h"
#include "app/DesktopSession.h"
#include "app/DriveChangeWatch.h"
#include "app/SystemSeams.h"
#include "app/TXJustOne.h"
#include "app/WindowSet.h"
#include "app/ZentrikApplication.h"
#include "common/UserLanguage.h"
#include "drives/DriveProbe.h"
#include "ui/common/AppContext.h"
#include "ui/common/WindowLook.h"
#include "ui/main/Unit1.h"

#include <optional>

namespace zv {

int runProgram(int argc, char** argv)
{
    // Given arguments, the program is its command line: no window, no single-copy guard.
    if (argc > 1)
        return runCommandLineProgram(argc, argv);
    if (!desktopSessionAnswers())
        return reportNoDesktopSession();
    auto noDisplay = std::make_optional<NoDisplayCatcher>();
    ZentrikApplication application(argc, argv);
    noDisplay.reset();
    // A second copy ends here, before it builds or shows anything.
    const QString title = QString::fromLatin1(kApplicationTitle);
    TXJustOne justOne(title, TXJustOne::defaultFolder(title));
    if (!justOne.check())
        return 0;
    applyWindowFont();

    SystemClock clock;
    SystemAddressOpener opener;
    const std::unique_ptr<DriveProbe> probe = makeSystemDriveProbe();
    const DriveChangeWatch driveChanges(*probe);
    const std::unique_ptr<CardEjector> ejector = makeSystemCardEjector();
    AppContext context(
        Seams{clock, opener, *probe, &userDefaultLanguageId, systemSettingsPath(), *ejector, systemSetCardsPath()});
    WindowSet windows(context);
    justOne.setWindowToActivate(&windows.main());
    windows.main().show();
    return ZentrikApplication::exec();
}

} // namespace zv
