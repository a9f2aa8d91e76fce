// The confirmation windows: each keeps its message and its rules however often it shows.
#include "GuiHarness.h"

#include "ui/confirm/Unit2.h"
#include "ui/confirm/Unit5.h"

#include <QTest>
#include <QWheelEvent>

using namespace zv;
using namespace zv::test;

class ConfirmationWindowTest : public QObject {
    Q_OBJECT

private slots:
    void confirmationsKeepTheirMessageAndTheirRules();
};

void ConfirmationWindowTest::confirmationsKeepTheirMessageAndTheirRules()
{
    GuiHarness gui;
    TForm2* set = &gui.windows.setConfirmation();
    QVERIFY(!(set->windowFlags() & Qt::WindowCloseButtonHint));
    QVERIFY(gui.windows.userSettingsSaved().windowFlags() & Qt::WindowCloseButtonHint);
    for (int showing = 0; showing < 2; ++showing) {
        const auto seen = closingModals([&] { set->showModally(); });
        QCOMPARE(seen.size(), std::size_t{1});
        QCOMPARE(seen[0].text, QStringLiteral("Дата и время успешно установлены"));
        QVERIFY(set->isHidden());
    }
    QWheelEvent wheel(QPointF(10, 10), QPointF(10, 10), QPoint(), QPoint(0, 120), Qt::NoButton, Qt::NoModifier,
        Qt::NoScrollPhase, false);
    QCoreApplication::sendEvent(&gui.windows.userSettingsSaved(), &wheel);
    QVERIFY(wheel.isAccepted());
}

QTEST_MAIN(ConfirmationWindowTest)
#include "ConfirmationWindowTest.moc"
