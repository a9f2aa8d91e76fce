// After the set: the lead time, the eject from the confirmation, the camera's answer when a card
// comes back, and the model a card was set with.
#include "GuiHarness.h"

#include "settings/ProgramOptions.h"
#include "ui/main/Unit1.h"
#include "ui/settings/Unit4.h"

#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <QTest>

#include <filesystem>

using namespace zv;
using namespace zv::test;

namespace {

void press(QWidget* window, const char* button)
{
    QTest::mouseClick(window->findChild<QPushButton*>(QString::fromLatin1(button)), Qt::LeftButton);
}

// Presses set, and in the confirmation whatever `inConfirmation` does, then closes what is open.
std::vector<ModalSeen> setAndThen(GuiHarness& gui, const std::function<void(QWidget*)>& inConfirmation = {})
{
    std::vector<ModalSeen> seen;
    bool done = false;
    QTimer::singleShot(0, [&] {
        QTRY_VERIFY(QApplication::activeModalWidget() != nullptr);
        QWidget* confirmation = QApplication::activeModalWidget();
        if (inConfirmation)
            seen = closingModals([&] { inConfirmation(confirmation); }, confirmation);
        seen.insert(seen.begin(), {confirmation->objectName(), confirmation->findChild<QLabel*>("Label1")->text()});
        press(confirmation, "ExitButton");
        done = true;
    });
    press(&gui.windows.main(), "SetButton");
    if (!QTest::qWaitFor([&] { return done; }, 10000))
        qFatal("set showed no confirmation");
    return seen;
}

// Plugs the card in again and waits until it has been looked over, on its threads, and any
// answer given.
void plugAndWaitForTheLook(GuiHarness& gui, const std::string& card)
{
    gui.probe.plug(card + "/", "CAM", DriveType::Removable, 7);
    gui.tick();
    const CardAnswers& answers = gui.windows.main().cardAnswers();
    QTRY_VERIFY_WITH_TIMEOUT(!answers.looking(), 20000);
}

} // namespace

class AfterSetTest : public QObject {
    Q_OBJECT

private slots:
    void theLeadMovesTheCurrentMomentAcrossMidnightMonthAndYear();
    void theLeadIsKeptInAFileOfItsOwnAndZentrikIniStaysAsItWas();
    void ejectSaysTheCameraCanBeUnpluggedOrWhyNot();
    void aCardPluggedAgainTellsOnceWhetherTheCameraTookTheTime();
    void aCardSetBeforeBringsBackItsModelAndStamp();
};

void AfterSetTest::theLeadMovesTheCurrentMomentAcrossMidnightMonthAndYear()
{
    const struct {
        QDateTime now;
        int lead;
        DateTimeParts written;
    } cases[] = {
        {{{2026, 12, 9}, {14, 30, 0}}, 0, {2026, 12, 9, 14, 30, 0}},
        {{{2026, 12, 9}, {14, 30, 0}}, 30, {2026, 12, 9, 14, 30, 30}},
        {{{2026, 12, 9}, {23, 59, 50}}, 30, {2026, 12, 10, 0, 0, 20}},
        {{{2027, 2, 28}, {23, 55, 0}}, 600, {2027, 3, 1, 0, 5, 0}},
        {{{2026, 12, 31}, {23, 59, 59}}, 1, {2027, 1, 1, 0, 0, 0}},
    };
    for (const auto& c : cases) {
        GuiHarness gui;
        gui.clock.moment = c.now;
        gui.find<QSpinBox>(&gui.windows.settings(), "LeadSpin")->setValue(c.lead);
        gui.tick();
        QCOMPARE(gui.context.values.dateTimeParts, c.written);
        const QString today = gui.find<QLabel>(&gui.windows.main(), "Label45")->text(); // the clock itself
        QCOMPARE(today, c.now.time().toString(QStringLiteral("HH:mm:ss")));
        // A moment picked in the pickers is written as picked.
        QTest::mouseClick(gui.find<QWidget>(&gui.windows.main(), "CheckBox2"), Qt::LeftButton);
        gui.tick();
        QCOMPARE(gui.context.values.dateTimeParts, DateTimeParts(2012, 10, 2, 12, 0, 0)); // the pickers' own
    }
}

void AfterSetTest::theLeadIsKeptInAFileOfItsOwnAndZentrikIniStaysAsItWas()
{
    TempFolder folder;
    const std::string options = folder.file("Zentrik-options.ini");
    std::string iniBefore;
    {
        GuiHarness gui(1049, folder.path());
        iniBefore = readBytes(gui.settingsPath());
        gui.find<QSpinBox>(&gui.windows.settings(), "LeadSpin")->setValue(45);
        QCOMPARE(closingModals([&] { press(&gui.windows.settings(), "SaveButton"); }).size(), std::size_t{1});
        QCOMPARE(loadProgramOptions(options).leadSeconds, 45);
        QCOMPARE(readBytes(gui.settingsPath()), iniBefore); // 70 lines, byte for byte
    }
    {
        GuiHarness gui(1049, folder.path());
        QCOMPARE(gui.context.values.leadSeconds, 45);
        QCOMPARE(closingModals([&] { press(&gui.windows.settings(), "RestoreButton"); }).size(), std::size_t{1});
        QCOMPARE(gui.context.values.leadSeconds, 0);
    }
    writeBytes(options, std::string("LeadSeconds=\xFF\n\0", 15)); // damaged: the default, silently
    std::unique_ptr<GuiHarness> gui;
    QCOMPARE(closingModals([&] { gui = std::make_unique<GuiHarness>(1049, folder.path()); }).size(), std::size_t{0});
    QCOMPARE(gui->context.values.leadSeconds, 0);
}

void AfterSetTest::ejectSaysTheCameraCanBeUnpluggedOrWhyNot()
{
    using Outcome = CardEjector::Outcome;
    const struct {
        Outcome outcome;
        std::string detail;
        QString said; // the confirmation's message afterwards, or the error box's text
    } cases[] = {
        {Outcome::Ejected, {}, QStringLiteral("Камеру можно отключить")},
        {Outcome::Busy, {},
            QStringLiteral("Карту сейчас извлечь нельзя: её файлы открыты в другой программе. Закройте их и нажмите "
                           "«Извлечь» ещё раз.")},
        {Outcome::Refused, {}, QStringLiteral("Система не позволила извлечь карту.")},
        {Outcome::NoService, {},
            QStringLiteral(
                "Здесь нечем извлечь карту: в системе нет службы UDisks2. Извлеките её в файловом менеджере.")},
        {Outcome::NotFound, {}, QStringLiteral("Карты уже нет в системе: её отключили или извлекли.")},
        {Outcome::Failed, "Input/output error", QStringLiteral("Карту не удалось извлечь. Input/output error.")},
    };
    for (const auto& c : cases) {
        GuiHarness gui;
        const std::string root = gui.folder.path() + "/";
        gui.probe.plug(root, "CAM");
        gui.tick();
        gui.ejector.answer = {c.outcome, c.detail};
        bool ejectEnabledAfter = true;
        const auto seen = setAndThen(gui, [&](QWidget* confirmation) {
            auto* eject = confirmation->findChild<QPushButton*>(QStringLiteral("EjectButton"));
            QVERIFY(eject->isVisible());
            QTest::mouseClick(eject, Qt::LeftButton);
            QTRY_VERIFY(confirmation->findChild<QPushButton*>(QStringLiteral("ExitButton"))->isEnabled());
            ejectEnabledAfter = eject->isEnabled();
        });
        QCOMPARE(gui.ejector.ejected, std::vector<std::string>{root});
        QVERIFY(std::filesystem::exists(gui.folder.file("TAG.txt"))); // the file stays written
        if (c.outcome == Outcome::Ejected) {
            QCOMPARE(seen.size(), std::size_t{1});
            QCOMPARE(seen[0].text, c.said);
            QVERIFY(!ejectEnabledAfter);
        } else {
            QCOMPARE(seen.size(), std::size_t{2});
            QCOMPARE(seen[1].objectName, QStringLiteral("ErrorBox"));
            QCOMPARE(seen[1].text, c.said);
            QCOMPARE(seen[0].text, QStringLiteral("Дата и время успешно установлены"));
            QVERIFY(ejectEnabledAfter); // the owner may try again
        }
    }
}

void AfterSetTest::aCardPluggedAgainTellsOnceWhetherTheCameraTookTheTime()
{
    namespace fs = std::filesystem;
    const struct {
        const char* camera;
        std::function<void(const std::string& card)> did;
        QString told; // empty: nothing yet
    } cases[] = {
        {"took the file", [](const std::string& card) { fs::remove(card + "/TAG.txt"); },
            QStringLiteral("Камера приняла время\n2012-10-02 14:24:32")},
        {"recorded without reading it",
            [](const std::string& card) {
                fs::create_directories(card + "/DCIM/100MEDIA");
                writeBytes(card + "/DCIM/100MEDIA/VID0001.AVI", "video");
                fs::last_write_time(
                    card + "/DCIM/100MEDIA/VID0001.AVI", fs::file_time_type::clock::now() + std::chrono::hours(1));
            },
            QStringLiteral(
                "Камера записывала, но не прочитала файл TAG.txt. Проверьте модель и имя файла в настройках.")},
        {"was not switched on", [](const std::string&) {}, {}},
    };
    for (const auto& c : cases) {
        GuiHarness gui;
        const std::string card = gui.folder.path() + "/card";
        fs::create_directory(card);
        gui.probe.plug(card + "/", "CAM", DriveType::Removable, 7);
        gui.tick();
        setAndThen(gui);
        QTRY_VERIFY_WITH_TIMEOUT(
            fs::exists(gui.folder.path() + "/state/set-cards"), 20000); // remembered once looked over

        gui.probe.unplug(card + "/");
        gui.tick();
        c.did(card);
        std::vector<ModalSeen> seen = closingModals([&] { plugAndWaitForTheLook(gui, card); });
        QCOMPARE(seen.size(), c.told.isEmpty() ? std::size_t{0} : std::size_t{1});
        if (!c.told.isEmpty()) {
            QCOMPARE(seen[0].objectName, QStringLiteral("CameraAnswer"));
            QCOMPARE(seen[0].text, c.told);
        }
        // Plugged once more: the answer was given, so nothing is said again.
        gui.probe.unplug(card + "/");
        gui.tick();
        seen = closingModals([&] { plugAndWaitForTheLook(gui, card); });
        QCOMPARE(seen.size(), std::size_t{0});
    }
}

void AfterSetTest::aCardSetBeforeBringsBackItsModelAndStamp()
{
    GuiHarness gui;
    const std::string card = gui.folder.path() + "/card/";
    std::filesystem::create_directory(card);
    gui.probe.plug(card, "CAM", DriveType::Removable, 7);
    gui.tick();
    auto* model = gui.find<QComboBox>(&gui.windows.main(), "ComboBox3");
    auto* stamp = gui.find<QComboBox>(&gui.windows.main(), "ComboBox4");
    choose(model, 5); // Q5
    choose(stamp, 1); // НЕТ
    gui.tick();
    setAndThen(gui);
    QTRY_VERIFY_WITH_TIMEOUT(std::filesystem::exists(gui.folder.path() + "/state/set-cards"), 20000);

    gui.probe.unplug(card);
    gui.tick();
    choose(model, 0); // the owner looks at MD80 meanwhile
    const auto seen = closingModals([&] {
        gui.probe.plug(card, "CAM", DriveType::Removable, 7);
        gui.tick();
        QTRY_COMPARE(model->currentIndex(), 5);
    });
    QCOMPARE(seen.size(), std::size_t{0}); // the camera has not been on: nothing to tell yet
    QCOMPARE(stamp->currentIndex(), 1);
    QCOMPARE(gui.find<QComboBox>(&gui.windows.settings(), "ModelList")->currentIndex(), 5); // followed there too
}

int main(int argc, char** argv)
{
    QApplication application(argc, argv);
    AfterSetTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "AfterSetTest.moc"
