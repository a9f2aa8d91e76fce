// The main window as a camera owner uses it: plug a card, choose the model and the time
// stamp, choose the moment, press set.
#include "GuiHarness.h"
#include "SystemCodePage.h"

#include "profiles/DefaultProfiles.h"
#include "ui/main/Unit1.h"
#include "ui/settings/Unit4.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QLabel>
#include <QPushButton>
#include <QScopeGuard>
#include <QSignalSpy>
#include <QTest>
#include <QTimeEdit>

#include <filesystem>

using namespace zv;
using namespace zv::test;

namespace {

} // namespace

class MainWindowTest : public QObject {
    Q_OBJECT

private slots:
    void settingQ5WithoutStampWritesTheFileAndConfirms();
    void modelAndStampAreMirroredBothWays();
    void exactlyOneMomentOptionAndThePickersFollowIt();
    void theClockIsReadOnceSoMidnightNeverMixesDays();
    void theDriveListFollowsThePollAndTheRefreshButton();
    void aFailedWriteSaysWhyAndConfirmsNothing();
    void theBannerOpensTheMakersPage();
    void aTickThatChangesNothingRepaintsNothing();
    void everyListOpensInItsOwnFontButNoneIsBuiltBeforeItOpens();
    void theStampCaptionIsWhiteAndGreysOutWithItsList();
    void theKeyboardStartsOnTheModelAndItsRingFollowsEveryControl();
    void controlCharactersInADrivesNameShowAsEscapes();
    void theSetButtonSaysWhyItCannotBePressed();
    void theChosenOwnFormatStaysChosenWhileOthersChange();
    void anOwnFormatIsWrittenInTheSystemsTextWithItsLineBreaks();
};

void MainWindowTest::settingQ5WithoutStampWritesTheFileAndConfirms()
{
    GuiHarness gui;
    TForm1* main = &gui.windows.main();
    gui.probe.plug(gui.folder.path() + "/", "CAM");
    gui.tick();
    QVERIFY(gui.find<QPushButton>(main, "SetButton")->isEnabled());
    QCOMPARE(gui.context.values.saveDir, gui.folder.path() + "/");

    choose(gui.find<QComboBox>(main, "ComboBox3"), 5); // Q5
    choose(gui.find<QComboBox>(main, "ComboBox4"), 1); // НЕТ
    gui.tick();
    QCOMPARE(QString::fromStdString(gui.context.values.timeFileText), QStringLiteral("20121002142432 N"));

    const auto seen =
        closingModals([&] { QTest::mouseClick(gui.find<QPushButton>(main, "SetButton"), Qt::LeftButton); });
    QCOMPARE(seen.size(), std::size_t{1});
    QCOMPARE(seen[0].objectName, QStringLiteral("TForm2"));
    QCOMPARE(seen[0].text, QStringLiteral("Дата и время успешно установлены"));
    QCOMPARE(readBytes(gui.folder.file("TIMERSET.txt")), std::string("20121002142432 N\r\n"));

    // The choice lives in memory; the settings file still holds Q5's default stamp ("Y").
    QCOMPARE(profileOf(gui.context.values.profileTable, 5).TimeStampCode, std::string("1"));
    QVERIFY(readBytes(gui.settingsPath()).find("Q5\r\nTIMERSET\r\n0\r\n0\r\n0\r\n0\r\n") != std::string::npos);
}

void MainWindowTest::modelAndStampAreMirroredBothWays()
{
    GuiHarness gui;
    TForm1* main = &gui.windows.main();
    TForm4* settings = &gui.windows.settings();
    auto* mainModel = gui.find<QComboBox>(main, "ComboBox3");
    auto* mainStamp = gui.find<QComboBox>(main, "ComboBox4");
    auto* settingsModel = gui.find<QComboBox>(settings, "ModelList");
    auto* tag = gui.find<QComboBox>(settings, "TagList");

    choose(mainModel, 4); // DV-033 in the main window
    QCOMPARE(settingsModel->currentIndex(), 4);
    QVERIFY(mainStamp->isEnabled());
    QVERIFY(tag->isEnabled());
    choose(mainStamp, 1);
    QCOMPARE(tag->currentIndex(), 1);

    choose(settingsModel, 9); // RS-301 in the settings window
    QCOMPARE(mainModel->currentIndex(), 9);
    choose(tag, 1);
    QCOMPARE(mainStamp->currentIndex(), 1);
    gui.tick();
    QVERIFY(QString::fromStdString(gui.context.values.timeFileText).endsWith(QStringLiteral(" N")));
    QVERIFY(gui.find<QLabel>(main, "CameraPicture9")->isVisibleTo(main));
    QVERIFY(gui.find<QLabel>(settings, "Image26")->isVisibleTo(settings));
    QVERIFY(!gui.find<QLabel>(main, "CameraPicture4")->isVisibleTo(main));

    choose(mainModel, 6); // Q6 keeps НЕТ from tick to tick
    choose(mainStamp, 1);
    gui.tick();
    gui.tick();
    QCOMPARE(mainStamp->currentIndex(), 1);

    choose(mainModel, 8); // RS-101 has no stamp: held on ДА
    QVERIFY(!mainStamp->isEnabled());
    QVERIFY(!tag->isEnabled());
    mainStamp->setCurrentIndex(1);
    tag->setCurrentIndex(1);
    gui.tick();
    QCOMPARE(mainStamp->currentIndex(), 0);
    QCOMPARE(tag->currentIndex(), 0);
    QVERIFY(gui.find<QLabel>(settings, "Image11")->isVisibleTo(settings));
}

void MainWindowTest::exactlyOneMomentOptionAndThePickersFollowIt()
{
    GuiHarness gui;
    TForm1* main = &gui.windows.main();
    auto* current = gui.find<QCheckBox>(main, "CheckBox1");
    auto* other = gui.find<QCheckBox>(main, "CheckBox2");
    auto* date = gui.find<QDateEdit>(main, "DateTimePicker1");
    auto* time = gui.find<QTimeEdit>(main, "DateTimePicker2");
    QVERIFY(current->isChecked() && !other->isChecked());
    QVERIFY(!date->isEnabled() && !time->isEnabled());
    QCOMPARE(date->date(), QDate(2012, 10, 2));
    QCOMPARE(time->time(), QTime(12, 0, 0));

    QTest::mouseClick(current, Qt::LeftButton);
    QVERIFY(!current->isChecked() && other->isChecked());
    QVERIFY(date->isEnabled() && time->isEnabled());
    date->setDate(QDate(2030, 1, 9));
    time->setTime(QTime(7, 5, 3));
    gui.tick();
    const DateTimeParts& parts = gui.context.values.dateTimeParts;
    QCOMPARE(parts, (DateTimeParts(2030, 1, 9, 7, 5, 3)));
    QCOMPARE(gui.context.values.timeFileText, std::string("2030-01-09 07:05:03"));

    QTest::mouseClick(other, Qt::LeftButton);
    QVERIFY(current->isChecked() && !other->isChecked());
    QVERIFY(!date->isEnabled());
    gui.tick();
    QCOMPARE(parts, (DateTimeParts(2012, 10, 2, 14, 24, 32)));
}

void MainWindowTest::theClockIsReadOnceSoMidnightNeverMixesDays()
{
    GuiHarness gui;
    gui.clock.moment = QDateTime(QDate(2026, 12, 31), QTime(23, 59, 59));
    gui.tick();
    gui.clock.moment = QDateTime(QDate(2027, 1, 1), QTime(0, 0, 0));
    gui.windows.main().Timer2Timer(); // the work tick before the clock tick
    QCOMPARE(gui.context.values.dateTimeParts, (DateTimeParts(2027, 1, 1, 0, 0, 0)));
    const QString chosenTime = gui.find<QLabel>(&gui.windows.main(), "Label14")->text();
    QCOMPARE(chosenTime, QStringLiteral("00:00:00"));
}

void MainWindowTest::theDriveListFollowsThePollAndTheRefreshButton()
{
    GuiHarness gui;
    TForm1* main = &gui.windows.main();
    auto* drives = gui.find<QComboBox>(main, "ComboBox2");
    auto* set = gui.find<QPushButton>(main, "SetButton");
    gui.tick();
    QCOMPARE(drives->count(), 0);
    QVERIFY(!set->isEnabled());

    gui.probe.plug("/media/u/A/", "A");
    gui.probe.plug("/media/u/B/", "B");
    gui.tick();
    QCOMPARE(drives->count(), 2);
    choose(drives, 1);
    QCOMPARE(gui.context.values.saveDir, std::string("/media/u/B/"));

    gui.probe.plug("/media/u/0/", "0"); // a card plugged elsewhere never moves the choice
    gui.tick();
    QCOMPARE(drives->count(), 3);
    QCOMPARE(drives->currentIndex(), 2);
    QCOMPARE(gui.context.values.saveDir, std::string("/media/u/B/"));
    gui.probe.unplug("/media/u/0/");
    gui.tick();
    gui.probe.plug("/media/u/C/", "C");
    gui.tick();
    QCOMPARE(drives->currentIndex(), 1);

    // Same count, other card: only the refresh button notices.
    gui.probe.unplug("/media/u/C/");
    gui.probe.plug("/media/u/D/", "D");
    gui.tick();
    QCOMPARE(drives->itemText(2), QStringLiteral("/media/u/C/"));
    QTest::mouseClick(gui.find<QPushButton>(main, "RefreshButton"), Qt::LeftButton);
    QCOMPARE(drives->itemText(2), QStringLiteral("/media/u/D/"));

    for (const char* root : {"/media/u/A/", "/media/u/B/", "/media/u/D/"})
        gui.probe.unplug(root);
    gui.tick();
    QCOMPARE(drives->count(), 0);
    QVERIFY(!set->isEnabled());
}

void MainWindowTest::aFailedWriteSaysWhyAndConfirmsNothing()
{
    struct Case {
        const char* name;
        std::function<void(GuiHarness&)> spoil;
        QString text;
    };
    const std::vector<Case> cases = {
        {"card pulled between poll and press",
            [](GuiHarness& gui) { std::filesystem::remove_all(gui.folder.file("card")); }, "Invalid filename."},
        {"a read-only time file on the card",
            [](GuiHarness& gui) {
                writeBytes(gui.folder.file("card/TAG.txt"), "old\r\n");
                std::filesystem::permissions(gui.folder.file("card/TAG.txt"), std::filesystem::perms::owner_read);
            },
            "File access denied."},
    };
    for (const Case& c : cases) {
        GuiHarness gui;
        std::filesystem::create_directory(gui.folder.file("card"));
        gui.probe.plug(gui.folder.file("card") + "/", "CARD");
        gui.tick();
        c.spoil(gui);
        const auto seen = closingModals(
            [&] { QTest::mouseClick(gui.find<QPushButton>(&gui.windows.main(), "SetButton"), Qt::LeftButton); });
        QVERIFY2(seen.size() == 1, c.name);
        QCOMPARE(seen[0].objectName, QStringLiteral("ErrorBox"));
        QCOMPARE(seen[0].text, c.text);
        // Still running: the next tick works as before.
        gui.tick();
        QVERIFY(!gui.context.values.timeFileText.empty());
    }
}

void MainWindowTest::theBannerOpensTheMakersPage()
{
    GuiHarness gui;
    QTest::mouseClick(gui.find<QLabel>(&gui.windows.main(), "Image12"), Qt::LeftButton);
    QCOMPARE(gui.opener.opened, QStringList{QStringLiteral("https://www.example.com")});
}

// Ticks run about 900 times a second: one that finds nothing new must not make any widget
// repaint. The lamps have their own timer and are left out.
void MainWindowTest::aTickThatChangesNothingRepaintsNothing()
{
    struct PaintCounter final : QObject {
        bool eventFilter(QObject* target, QEvent* event) override
        {
            if (event->type() == QEvent::Paint && !target->objectName().startsWith(QLatin1String("Lamp")))
                painted << target->objectName();
            return false;
        }
        QStringList painted;
    } counter;

    GuiHarness gui;
    // A focused edit's blinking cursor repaints on a real platform, tick or no tick.
    const int flashTime = QApplication::cursorFlashTime();
    QApplication::setCursorFlashTime(0);
    const auto restoreFlash = qScopeGuard([flashTime] { QApplication::setCursorFlashTime(flashTime); });
    gui.probe.plug(gui.folder.path() + "/", "CAM");
    gui.windows.main().show();
    gui.windows.settings().show();
    gui.tick();
    QVERIFY(QTest::qWaitForWindowExposed(&gui.windows.settings()));
    // A real platform may still be painting what the first tick showed: wait for a quiet spell.
    qApp->installEventFilter(&counter);
    for (int spell = 0; spell < 50; ++spell) {
        counter.painted.clear();
        QTest::qWait(100);
        if (counter.painted.isEmpty())
            break;
    }
    for (int tick = 0; tick < 50; ++tick) {
        gui.tick();
        QCoreApplication::processEvents();
    }
    QVERIFY2(counter.painted.isEmpty(), qPrintable(counter.painted.join(QStringLiteral(", "))));

    gui.clock.moment = gui.clock.moment.addSecs(1); // a new second is drawn
    gui.tick();
    QCoreApplication::processEvents();
    QVERIFY(counter.painted.contains(QStringLiteral("Label5")));
    qApp->removeEventFilter(&counter);
}

// The windows start without the lists' popups, which are many widgets and most never open;
// opened, each shows every item in the list's own bold font.
void MainWindowTest::everyListOpensInItsOwnFontButNoneIsBuiltBeforeItOpens()
{
    GuiHarness gui;
    for (QWidget* window :
        {static_cast<QWidget*>(&gui.windows.main()), static_cast<QWidget*>(&gui.windows.settings())}) {
        window->show();
        for (QComboBox* list : window->findChildren<QComboBox*>()) {
            QVERIFY2(list->findChild<QAbstractItemView*>() == nullptr, qPrintable(list->objectName()));
            list->showPopup();
            const QAbstractItemView* popup = list->view();
            QCOMPARE(popup->isVisible(), list->count() > 0); // an empty list opens nothing
            QVERIFY(list->font().bold());
            QCOMPARE(popup->font(), list->font());
            QCOMPARE(popup->model()->rowCount(), list->count());
            list->hidePopup();
        }
    }
}

// The captions over the dark lists are white, and grey when their list does not apply.
void MainWindowTest::theStampCaptionIsWhiteAndGreysOutWithItsList()
{
    GuiHarness gui;
    TForm1* main = &gui.windows.main();
    auto* caption = gui.find<QLabel>(main, "Label34");
    const auto shows = [caption](QRgb colour) {
        const QImage drawn = caption->grab().toImage().convertToFormat(QImage::Format_RGB32);
        for (int y = 0; y < drawn.height(); ++y)
            for (int x = 0; x < drawn.width(); ++x)
                if (drawn.pixel(x, y) == colour)
                    return true;
        return false;
    };
    const QRgb white = qRgb(255, 255, 255);
    const QRgb grey = qRgb(128, 128, 128);

    choose(gui.find<QComboBox>(main, "ComboBox3"), 5); // Q5 has a stamp
    QVERIFY(shows(white) && !shows(grey));
    choose(gui.find<QComboBox>(main, "ComboBox3"), 8); // RS-101 has none
    QVERIFY(shows(grey) && !shows(white));
}

// A keyboard user starts on the model list, and a clear ring shows where the keys go, in both
// windows, on every control the tab key reaches.
void MainWindowTest::theKeyboardStartsOnTheModelAndItsRingFollowsEveryControl()
{
    GuiHarness gui;
    gui.probe.plug(gui.folder.path() + "/", "CAM");
    gui.tick();
    const std::pair<QWidget*, QStringList> windows[] = {
        {&gui.windows.main(),
            {"ComboBox3", "ComboBox2", "RefreshButton", "CheckBox1", "CheckBox2", "SetButton", "SettingsButton",
                "AboutButton", "Image12"}}, // the stamp list and the pickers are disabled for MD80 and the clock
        {&gui.windows.settings(),
            {"ModelList", "FileNameEdit", "DateSeparatorList", "TimeSeparatorList", "DateTimeSeparatorList", "LeadSpin",
                "OwnFormatsButton", "SaveButton", "RestoreButton", "ExitButton", "AboutButton", "Image1"}},
    };
    for (const auto& [window, order] : windows) {
        window->show();
        QApplication::setActiveWindow(window);
        QVERIFY(QTest::qWaitForWindowActive(window));
        const auto* ring = gui.find<QWidget>(window, "FocusRing");
        for (const QString& name : order) {
            QWidget* focused = QApplication::focusWidget();
            QVERIFY(focused != nullptr);
            QCOMPARE(focused->objectName(), name);
            QVERIFY(ring->isVisible());
            const QRect control(focused->mapTo(window, QPoint(0, 0)), focused->size());
            QVERIFY2(ring->geometry().contains(control) && ring->geometry() != control, qPrintable(name));
            QTest::keyClick(focused, Qt::Key_Tab);
        }
        QCOMPARE(QApplication::focusWidget()->objectName(), order.front()); // round again
        window->hide();
    }
}

void MainWindowTest::controlCharactersInADrivesNameShowAsEscapes()
{
    GuiHarness gui;
    gui.probe.plug("/media/u/CAM\nA/", "CAM\nA");
    gui.probe.plug("/media/u/CAM A/", "CAM\tA\x01");
    gui.tick();
    auto* drives = gui.find<QComboBox>(&gui.windows.main(), "ComboBox2");
    QCOMPARE(drives->itemText(0), QStringLiteral("/media/u/CAM\\nA/"));
    QCOMPARE(drives->itemText(1), QStringLiteral("/media/u/CAM A/ [CAM\\tA\\x01]"));
}

void MainWindowTest::theSetButtonSaysWhyItCannotBePressed()
{
    for (const std::uint16_t language : {std::uint16_t{1049}, std::uint16_t{1033}}) {
        GuiHarness gui(language);
        gui.tick();
        const auto* set = gui.find<QPushButton>(&gui.windows.main(), "SetButton");
        QVERIFY(!set->isEnabled());
        QVERIFY(set->accessibleDescription().contains(language == 1033 ? "camera" : "камер"));
        gui.probe.plug(gui.folder.path() + "/", "CAM");
        gui.tick();
        QVERIFY(set->isEnabled());
        QCOMPARE(set->accessibleDescription(), QString());
        gui.probe.unplug(gui.folder.path() + "/");
        gui.tick();
        QVERIFY(!set->accessibleDescription().isEmpty());
    }
}

void MainWindowTest::theChosenOwnFormatStaysChosenWhileOthersChange()
{
    const auto formats = [](std::initializer_list<const char*> names) {
        std::vector<OwnFormat> out;
        for (const char* name : names)
            out.push_back({name, "time.txt", "{year}{month}{day}", LineBreak::CrLf, true});
        return out;
    };
    GuiHarness gui;
    auto* models = gui.find<QComboBox>(&gui.windows.main(), "ComboBox3");
    auto* settingsModels = gui.find<QComboBox>(&gui.windows.settings(), "ModelList");
    QVERIFY(gui.windows.settings().keepOwnFormats(formats({"A", "B", "C"})));
    choose(models, kModelCount + 2); // C
    const struct {
        std::vector<OwnFormat> after;
        int chosenRow;
        const char* chosenName;
    } steps[] = {
        {formats({"B", "C"}), kModelCount + 1, "C"}, // one above it removed
        {formats({"B", "D"}), kModelCount + 1, "D"}, // renamed in place
        {formats({"D", "B"}), kModelCount, "D"}, // moved
        {formats({"B"}), 0, "MD80"}, // itself removed: the first model
    };
    for (const auto& step : steps) {
        QVERIFY(gui.windows.settings().keepOwnFormats(step.after));
        QCOMPARE(models->currentIndex(), step.chosenRow);
        QCOMPARE(models->currentText(), QString::fromLatin1(step.chosenName));
        QCOMPARE(settingsModels->currentIndex(), step.chosenRow);
    }
}

void MainWindowTest::anOwnFormatIsWrittenInTheSystemsTextWithItsLineBreaks()
{
    GuiHarness gui;
    TForm1* main = &gui.windows.main();
    QVERIFY(gui.windows.settings().keepOwnFormats({{"Брелок", "tag.txt",
        "Дата\n{day}.{month}.{year}\n{hour}:{minute}:{second} {stamp}", LineBreak::CrLf, false}}));
    gui.probe.plug(gui.folder.path() + "/", "CAM");
    choose(gui.find<QComboBox>(main, "ComboBox3"), kModelCount);
    choose(gui.find<QComboBox>(main, "ComboBox4"), 1); // НЕТ
    gui.tick();
    const auto seen =
        closingModals([&] { QTest::mouseClick(gui.find<QPushButton>(main, "SetButton"), Qt::LeftButton); });
    QCOMPARE(seen.size(), std::size_t{1});
    QCOMPARE(seen[0].objectName, QStringLiteral("TForm2"));
    QCOMPARE(readBytes(gui.folder.file("tag.txt")), storedBytes("Дата") + "\r\n02.10.2012\r\n14:24:32 N");
}

QTEST_MAIN(MainWindowTest)
#include "MainWindowTest.moc"
