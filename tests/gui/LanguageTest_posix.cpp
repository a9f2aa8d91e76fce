// The settings file's error in the English interface, over a folder the program cannot write.
// Windows ignores a folder's READONLY attribute, so this is a POSIX check.
#include "GuiHarness.h"

#include "common/ScopedUnprivileged.h"
#include "ui/settings/Unit4.h"

#include <QPushButton>
#include <QTest>

#include <memory>

using namespace zv;
using namespace zv::test;

class LanguagePosixTest : public QObject {
    Q_OBJECT

private slots:
    void theSettingsFileErrorStaysRussianInEnglish();
};

void LanguagePosixTest::theSettingsFileErrorStaysRussianInEnglish()
{
    TempFolder readOnly;
    makeReadOnly(readOnly.path());
    const ScopedUnprivileged user; // root could write anyway
    std::unique_ptr<GuiHarness> gui;
    auto seen = closingModals([&] { gui = std::make_unique<GuiHarness>(1033, readOnly.path()); });
    QCOMPARE(seen.size(), std::size_t{1});
    QCOMPARE(seen[0].text, QStringLiteral("Ошибка обращения к файлу"));

    seen = closingModals([&] { gui->find<QPushButton>(&gui->windows.settings(), "SaveButton")->click(); });
    QCOMPARE(seen.size(), std::size_t{1});
    QCOMPARE(seen[0].text, QStringLiteral("Ошибка обращения к файлу"));
    gui.reset();
}

QTEST_MAIN(LanguagePosixTest)
#include "LanguageTest_posix.moc"
