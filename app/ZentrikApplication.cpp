#include "app/ZentrikApplication.h"

#include "ui/common/Accessibility.h"
#include "ui/common/AppContext.h"
#include "ui/common/ErrorBox.h"

#include <exception>

namespace zv {

void setProgramNames()
{
    // The application's title, not a display name: Qt would add a display name to every window's
    // caption, and each caption must read exactly as designed.
    QCoreApplication::setApplicationName(QString::fromLatin1(kApplicationTitle));
    QCoreApplication::setOrganizationName(QStringLiteral("Zentrik"));
}

ZentrikApplication::ZentrikApplication(int& argc, char** argv) : QApplication(argc, argv)
{
    setProgramNames();
    setDesktopFileName(QStringLiteral("zentrik-vesmar"));
    installAccessibility();
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
