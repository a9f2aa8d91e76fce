// The window set: all six windows built before the first tick, and the status light they share.
#include "GuiHarness.h"

#include "profiles/DefaultProfiles.h"
#include "settings/SettingsFormat.h"
#include "ui/main/Unit1.h"
#include "ui/settings/Unit4.h"

#include <QLabel>
#include <QTest>

#include <vector>

using namespace zv;
using namespace zv::test;

class WindowSetTest : public QObject {
    Q_OBJECT

private slots:
    void allSixWindowsExistHiddenBeforeTheFirstTick();
    void theLightRunsInBothWindowsInStep();
};

void WindowSetTest::allSixWindowsExistHiddenBeforeTheFirstTick()
{
    GuiHarness gui;
    WindowSet& set = gui.windows;
    const std::vector<QWidget*> windows = {&set.main(), &set.setConfirmation(), &set.about(), &set.settings(),
        &set.userSettingsSaved(), &set.defaultsSaved()};
    for (QWidget* window : windows) {
        QVERIFY(window != nullptr);
        QVERIFY(window->isHidden());
        QCOMPARE(window->windowTitle(), QStringLiteral("Zentrik Vesmar by Dalvenor"));
    }
    // The settings window has filled itself from the file it wrote on this first start.
    QCOMPARE(readBytes(gui.settingsPath()), settingsFileText(DefaultProfiles()));
}

void WindowSetTest::theLightRunsInBothWindowsInStep()
{
    GuiHarness gui;
    StatusLights& lights = gui.windows.main().lights();
    QCOMPARE(lights.litPosition(), -1);
    const LampStrip main = gui.windows.main().litLamps();
    const LampStrip settings = gui.windows.settings().litLamps();
    // What shows at a lamp's place is the topmost widget there.
    const auto shows = [](const QLabel* lamp) {
        return lamp->parentWidget()->childAt(lamp->geometry().center()) == lamp;
    };
    for (int step = 0; step < 8; ++step) {
        QTRY_COMPARE_WITH_TIMEOUT(lights.litPosition(), step % kLampCount, 1000);
        for (int lamp = 0; lamp < kLampCount; ++lamp) {
            QCOMPARE(shows(main[lamp]), lamp == step % kLampCount);
            QCOMPARE(shows(settings[lamp]), lamp == step % kLampCount);
        }
    }
}

QTEST_MAIN(WindowSetTest)
#include "WindowSetTest.moc"
