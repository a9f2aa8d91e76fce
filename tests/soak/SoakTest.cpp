// A minute of a restless user: the card may come or go every 50 ms while the set button is
// pressed every 100 ms. Nothing may crash, and every file the program calls written is whole.
#include "gui/GuiHarness.h"

#include "ui/main/Unit1.h"
#include "ui/settings/Unit4.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QElapsedTimer>
#include <QPushButton>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QTest>
#include <QTimer>

#include <filesystem>

using namespace zv;
using namespace zv::test;

namespace {

int soakMilliseconds()
{
    bool ok = false;
    const int seconds = qEnvironmentVariableIntValue("ZV_SOAK_SECONDS", &ok);
    return (ok && seconds > 0 ? seconds : 60) * 1000;
}

// The card: a folder that is listed by the probe and present on disk only while plugged.
class FlickeringCard {
public:
    FlickeringCard(FakeDriveProbe& probe, const std::string& base)
        : probe_(probe), root_(base + "/CARD"), away_(base + "/away")
    {
        std::filesystem::create_directory(away_);
    }

    void toggle()
    {
        plugged_ = !plugged_;
        if (plugged_) {
            std::filesystem::rename(away_, root_);
            probe_.plug(root_ + "/", "CAM");
        } else {
            probe_.unplug(root_ + "/");
            std::filesystem::rename(root_, away_);
        }
    }

    // Where the file is now: the card may have been pulled since it was written.
    [[nodiscard]] bool plugged() const { return plugged_; }
    [[nodiscard]] std::string timeFile() const { return (plugged_ ? root_ : away_) + "/TIMERSET.txt"; }

private:
    FakeDriveProbe& probe_;
    std::string root_;
    std::string away_;
    bool plugged_ = false;
};

} // namespace

class SoakTest : public QObject {
    Q_OBJECT

private slots:
    void plugAndPressForAMinute();
};

void SoakTest::plugAndPressForAMinute()
{
    GuiHarness gui;
    TForm1* main = &gui.windows.main();
    main->show();
    gui.windows.settings().show();
    choose(gui.find<QComboBox>(main, "ComboBox3"), 5); // Q5, whose line carries no separators

    FlickeringCard card(gui.probe, gui.folder.path());
    int written = 0;
    int refused = 0;
    const QRegularExpression wholeLine(QStringLiteral("^\\d{14} [YN]\r\n$"));

    QTimer plugging;
    // A coin decides each 50 ms whether the card moves, so presses meet it in both states.
    QRandomGenerator coin(20121002);
    QObject::connect(&plugging, &QTimer::timeout, [&] {
        if (coin.bounded(2) == 1)
            card.toggle();
    });
    QTimer pressing;
    QObject::connect(&pressing, &QTimer::timeout, [&] {
        if (QApplication::activeModalWidget() != nullptr)
            return; // a confirmation or an error box is still up
        gui.clock.moment = gui.clock.moment.addSecs(1);
        auto* set = gui.find<QPushButton>(main, "SetButton");
        if (!set->isEnabled())
            return;
        if (card.plugged() && coin.bounded(4) == 0)
            card.toggle(); // pulled after the last poll, before the press lands
        const std::string expected = gui.context.values.timeFileText + "\r\n";
        const auto seen = closingModals([set] { set->click(); });
        QVERIFY(!seen.empty());
        if (seen.front().objectName == QStringLiteral("TForm2")) {
            ++written;
            const std::string bytes = readBytes(card.timeFile());
            QCOMPARE(bytes, expected);
            QVERIFY(wholeLine.match(QString::fromStdString(bytes)).hasMatch());
        } else {
            ++refused;
            QCOMPARE(seen.front().objectName, QStringLiteral("ErrorBox"));
        }
    });
    plugging.start(50);
    pressing.start(100);

    QElapsedTimer elapsed;
    elapsed.start();
    while (elapsed.elapsed() < soakMilliseconds() && !QTest::currentTestFailed())
        QTest::qWait(50);
    plugging.stop();
    pressing.stop();

    qInfo("%d files written, %d presses refused", written, refused);
    QVERIFY(written > 0);
    QVERIFY(refused > 0);
    QVERIFY(main->isVisible());
}

QTEST_MAIN(SoakTest)
#include "SoakTest.moc"
