// The settings window over a folder it cannot write. Windows ignores a folder's READONLY
// attribute, so this is a POSIX check.
#include "GuiHarness.h"
#include "SettingsWindowTest.h"

#include "common/ScopedUnprivileged.h"
#include "profiles/DefaultProfiles.h"
#include "ui/settings/Unit4.h"

#include <QComboBox>
#include <QTest>

#include <memory>

using namespace zv;
using namespace zv::test;

class SettingsWindowPosixTest : public QObject {
    Q_OBJECT

private slots:
    void anUnwritableSettingsFolderIsReportedAndNothingIsLost();
};

void SettingsWindowPosixTest::anUnwritableSettingsFolderIsReportedAndNothingIsLost()
{
    TempFolder readOnly;
    makeReadOnly(readOnly.path());
    const ScopedUnprivileged user; // root could write anyway
    std::vector<ModalSeen> seen;
    std::unique_ptr<GuiHarness> gui;
    seen = closingModals([&] { gui = std::make_unique<GuiHarness>(1049, readOnly.path()); });
    QCOMPARE(seen.size(), std::size_t{1});
    QCOMPARE(seen[0].text, QStringLiteral("Ошибка обращения к файлу"));
    QCOMPARE(gui->context.values.profileTable, DefaultProfiles()); // the defaults, in memory

    choose(gui->find<QComboBox>(&gui->windows.settings(), "DateSeparatorList"), 2);
    seen = click(*gui, "SaveButton");
    QCOMPARE(seen.size(), std::size_t{1});
    QCOMPARE(seen[0].text, QStringLiteral("Ошибка обращения к файлу"));
    QCOMPARE(profileOf(gui->context.values.profileTable, 0).DateSeparatorCode, std::string("2")); // edit kept
    gui->tick();
    QVERIFY(!gui->context.values.timeFileText.empty()); // still running
    gui.reset();
}

QTEST_MAIN(SettingsWindowPosixTest)
#include "SettingsWindowTest_posix.moc"
