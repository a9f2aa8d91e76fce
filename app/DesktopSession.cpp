#include "app/DesktopSession.h"

#include <QString>
#include <QtGlobal>

#include <cstdio>
#include <cstdlib>

namespace zv {

namespace {

void endWithoutDisplay(QtMsgType type, const QMessageLogContext& context, const QString& message)
{
    if (type == QtFatalMsg && message.contains(QLatin1String("platform plugin"), Qt::CaseInsensitive)) {
        // The application object is half made: nothing of it may run down.
        std::_Exit(reportNoDesktopSession());
    }
    std::fprintf(stderr, "%s\n", qPrintable(qFormatLogMessage(type, context, message)));
    std::fflush(stderr);
}

} // namespace

int reportNoDesktopSession()
{
    std::fputs("zentrik-vesmar: the window needs a desktop session, and no display answers (DISPLAY, "
               "WAYLAND_DISPLAY); the command line works without one: zentrik-vesmar --help\n",
        stderr);
    std::fflush(stderr);
    return 1;
}

NoDisplayCatcher::NoDisplayCatcher() { qInstallMessageHandler(endWithoutDisplay); }

NoDisplayCatcher::~NoDisplayCatcher() { qInstallMessageHandler(nullptr); }

} // namespace zv
