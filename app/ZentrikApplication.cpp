#include "app/ZentrikApplication.h"

#include "ui/common/AppContext.h"
#include "ui/common/ErrorBox.h"

#include <exception>

namespace zv {

ZentrikApplication::ZentrikApplication(int& argc, char** argv) : QApplication(argc, argv)
{
    // The application's title, not a display name: Qt would add a display name to every window's
    // caption, and each caption must read exactly as designed.
    setApplicationName(QString::fromLatin1(kApplicationTitle));
    setOrganizationName(QStringLiteral("Zentrik"));
    setDesktopFileName(QStringLiteral("zentrik-vesmar"));
}

bool ZentrikApplication::notify(QObject* receiver, QEvent* event)
{
    try {
        return QApplication::notify(receiver, event);
    } catch (const std::exception& error) {
        showErrorBox(activeWindow(), QString::fromLocal8Bit(error.what()));
    } catch (...) {
        showErrorBox(activeWindow(), QStringLiteral("Unknown error"));
    }
    return false;
}

} // namespace zv
