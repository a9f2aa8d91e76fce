// The settings window: edit a profile, watch the sample, save, restore, and what happens
// when the settings file cannot be written.
#include "GuiHarness.h"

#include "SettingsWindowTest.h"
#include "SystemCodePage.h"

#include "profiles/DefaultProfiles.h"
#include "settings/SettingsFormat.h"
#include "ui/main/Unit1.h"
#include "ui/settings/Unit4.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include <filesystem>

using namespace zv;
using namespace zv::test;

class SettingsWindowTest : public QObject {
    Q_OBJECT

private slots:
    void savedProfilesComeBackAfterARestart();
    void restoreBringsBackTheDefaultsOfTheChosenModel();
    void withoutAPlaceForSettingsTheUserIsToldOnceAndTheDefaultsRun();
    void theFileNameTakesTwentyCharactersAndTheSampleFollowsEdits();
    void aFileNameInAnyCodePageIsShownReadablyAndSavedByteForByte();
};

void SettingsWindowTest::savedProfilesComeBackAfterARestart()
{
    TempFolder settingsFolder;
    {
        GuiHarness gui(1049, settingsFolder.path());
        TForm4* settings = &gui.windows.settings();
        choose(gui.find<QComboBox>(settings, "DateSeparatorList"), 3); // MD80: "/"
        settings->show();
        QTest::mouseClick(gui.find<QPushButton>(settings, "ExitButton"), Qt::LeftButton);
        QVERIFY(settings->isHidden());
        QCOMPARE(gui.find<QComboBox>(settings, "DateSeparatorList")->currentIndex(), 3); // kept while hidden

        const auto seen = click(gui, "SaveButton");
        QCOMPARE(seen.size(), std::size_t{1});
        QCOMPARE(seen[0].objectName, QStringLiteral("TForm5"));
        QCOMPARE(seen[0].text,
            QStringLiteral("Пользовательские параметры настройки для ВСЕХ минивидео камер успешно сохранены"));
    }
    GuiHarness restarted(1049, settingsFolder.path());
    QCOMPARE(profileOf(restarted.context.values.profileTable, 0).DateSeparatorCode, std::string("3"));
    QCOMPARE(restarted.find<QComboBox>(&restarted.windows.settings(), "DateSeparatorList")->currentIndex(), 3);
}

void SettingsWindowTest::restoreBringsBackTheDefaultsOfTheChosenModel()
{
    GuiHarness gui;
    TForm4* settings = &gui.windows.settings();
    choose(gui.find<QComboBox>(settings, "ModelList"), 6); // Q6
    choose(gui.find<QComboBox>(settings, "TagList"), 1);
    choose(gui.find<QComboBox>(settings, "TimeSeparatorList"), 2);
    gui.find<QLineEdit>(settings, "FileNameEdit")->setText(QStringLiteral("OTHER"));

    const auto seen = click(gui, "RestoreButton");
    QCOMPARE(seen.size(), std::size_t{1});
    QCOMPARE(seen[0].objectName, QStringLiteral("TForm6"));
    QCOMPARE(gui.context.values.profileTable, DefaultProfiles());
    QCOMPARE(gui.find<QLineEdit>(settings, "FileNameEdit")->text(), QStringLiteral("TIMERSET"));
    QCOMPARE(gui.find<QComboBox>(settings, "TimeSeparatorList")->currentIndex(), 0);
    QCOMPARE(gui.find<QComboBox>(settings, "TagList")->currentIndex(), 0);
    QCOMPARE(gui.find<QComboBox>(&gui.windows.main(), "ComboBox4")->currentIndex(), 0);
    QCOMPARE(gui.context.values.timeFileBaseName, std::string("TIMERSET"));
}

// No home folder and a read-only program folder: nothing to keep the settings in. The user is
// told once, in the windows' language, and the program runs on the defaults.
void SettingsWindowTest::withoutAPlaceForSettingsTheUserIsToldOnceAndTheDefaultsRun()
{
    const std::pair<std::uint16_t, QString> languages[] = {
        {1049,
            QStringLiteral("Папка для настроек не найдена: у пользователя нет домашней папки. Программа работает "
                           "с настройками по умолчанию и не сможет их сохранить.")},
        {1033,
            QStringLiteral("No folder for the settings: the user has no home folder. The program runs on the "
                           "default settings and cannot save them.")},
    };
    for (const auto& [language, notice] : languages) {
        std::unique_ptr<GuiHarness> gui;
        std::vector<ModalSeen> seen = closingModals([&] { gui = std::make_unique<GuiHarness>(language, ""); });
        QCOMPARE(seen.size(), std::size_t{1});
        QCOMPARE(seen[0].objectName, QStringLiteral("NoticeBox"));
        QCOMPARE(seen[0].text, notice);
        QCOMPARE(gui->context.values.profileTable, DefaultProfiles());
        gui->tick();
        QCOMPARE(gui->context.values.timeFileText, std::string("2012-10-02 14:24:32"));
        seen = click(*gui, "SaveButton");
        QCOMPARE(seen.size(), std::size_t{1});
        QCOMPARE(seen[0].text, QStringLiteral("Ошибка обращения к файлу"));
    }
}

void SettingsWindowTest::theFileNameTakesTwentyCharactersAndTheSampleFollowsEdits()
{
    GuiHarness gui;
    TForm4* settings = &gui.windows.settings();
    auto* name = gui.find<QLineEdit>(settings, "FileNameEdit");
    name->clear();
    QTest::keyClicks(name, QStringLiteral("ABCDEFGHIJKLMNOPQRSTU"));
    QCOMPARE(name->text(), QStringLiteral("ABCDEFGHIJKLMNOPQRST"));
    QCOMPARE(gui.context.values.timeFileBaseName, std::string("ABCDEFGHIJKLMNOPQRST"));

    choose(gui.find<QComboBox>(settings, "DateTimeSeparatorList"), 2); // ENTER
    gui.tick();
    QCOMPARE(gui.find<QLabel>(settings, "Label10")->text(), QStringLiteral("2012-10-02\r\n14:24:32"));
}

// A Zentrik.ini carried over from a Russian Windows machine, or simply damaged: the name reads
// as text, and a save that did not touch it gives back the very bytes it was read with.
void SettingsWindowTest::aFileNameInAnyCodePageIsShownReadablyAndSavedByteForByte()
{
    const struct {
        std::string bytes;
        QString shown;
    } cases[] = {
        {"\xCA\xC0\xCC\xC5\xD0\xC0", QStringLiteral("КАМЕРА")}, // Windows-1251
        {"CAM\xFF\x98", QStringLiteral("CAMя\uFFFD")}, // not UTF-8, with a byte the code page leaves out
        {"\xD0\x9A\xD0\x90\xD0\x9C", QStringLiteral("КАМ")}, // UTF-8
    };
    for (const auto& c : cases) {
        TempFolder folder;
        ProfileTable profiles = DefaultProfiles();
        profiles[0].FileBaseName = c.bytes; // MD80, the first model shown
        const std::string original = settingsFileText(profiles);
        writeBytes(folder.path() + "/Zentrik.ini", original);

        GuiHarness gui(1049, folder.path());
        const QString shown = shownBytes(c.bytes, c.shown); // as this system reads them
        QCOMPARE(gui.find<QLineEdit>(&gui.windows.settings(), "FileNameEdit")->text(), shown);
        QCOMPARE(gui.context.values.timeFileBaseName, c.bytes);
        QCOMPARE(click(gui, "SaveButton").size(), std::size_t{1});
        QCOMPARE(readBytes(gui.settingsPath()), original);

        // A name the user types is kept as this system writes text: UTF-8, or Windows' code page.
        gui.find<QLineEdit>(&gui.windows.settings(), "FileNameEdit")->setText(QStringLiteral("Камера"));
        const std::string typed = storedBytes("Камера");
        QCOMPARE(profileOf(gui.context.values.profileTable, 0).FileBaseName, typed);
    }
}

QTEST_MAIN(SettingsWindowTest)
#include "SettingsWindowTest.moc"
