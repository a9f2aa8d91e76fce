#include "app/ZentrikApplication.h"

#include "ui/common/AppContext.h"
#include "ui/common/ErrorBox.h"

#include <exception>

namespace zv {

ZentrikApplication::ZentrikApplication(int& argc, char** argv) : QApplication(argc, argv)
{
    setApplicationName(QString::fromLatin1(kApplicationTitle));
    setApplicationDisplayName(QString::fromLatin1(kApplicationTitle));
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
