// The About window: five lines open the maker's and the author's addresses, nothing else reacts,
// and both large windows show it modally.
#include "GuiHarness.h"

#include "ui/about/MakerDetails.h"
#include "ui/about/Unit3.h"
#include "ui/main/Unit1.h"
#include "ui/settings/Unit4.h"

#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QTest>

#include <map>

using namespace zv;
using namespace zv::test;

namespace {

struct Address {
    QString target; // what the click hands to the system
    QString hint; // what the pointer shows: the bare address
};

const std::map<QString, Address>& addressLines()
{
    const QString web = QLatin1String(maker::kWebAddress);
    const auto mail = [](const char* address) {
        return Address{QStringLiteral("mailto:") + QLatin1String(address), QLatin1String(address)};
    };
    static const std::map<QString, Address> lines = {
        {QStringLiteral("Image12"), {web, web}},
        {QStringLiteral("Label1"), {web, web}},
        {QStringLiteral("Label3"), mail(maker::kInfoMail)},
        {QStringLiteral("Label15"), mail(maker::kComplaintsMail)},
        {QStringLiteral("Label2"), mail(maker::kAuthorMail)},
    };
    return lines;
}

} // namespace

class AboutWindowTest : public QObject {
    Q_OBJECT

private slots:
    void onlyTheAddressLinesOpenAndEachItsOwnTarget();
    void theHintsShowTheBareAddresses();
    void theKeyboardOpensEachAddressLine();
    void bothAboutButtonsShowItModally();
};

void AboutWindowTest::onlyTheAddressLinesOpenAndEachItsOwnTarget()
{
    GuiHarness gui;
    TForm3* about = &gui.windows.about();
    about->show();
    const QList<QLabel*> labels = about->findChildren<QLabel*>();
    QVERIFY(labels.size() > static_cast<qsizetype>(addressLines().size()));
    for (QLabel* label : labels) {
        gui.opener.opened.clear();
        QTest::mouseClick(label, Qt::LeftButton);
        const auto line = addressLines().find(label->objectName());
        const QByteArray name = label->objectName().toLatin1();
        if (line == addressLines().end()) {
            QVERIFY2(gui.opener.opened.isEmpty(), name.constData());
            QVERIFY2(label->cursor().shape() != Qt::PointingHandCursor, name.constData());
            continue;
        }
        // Where a user points, nothing lies over the line.
        QVERIFY2(about->childAt(label->geometry().center()) == label, name.constData());
        QCOMPARE(gui.opener.opened, QStringList{line->second.target});
        QVERIFY2(label->cursor().shape() == Qt::PointingHandCursor, name.constData());
    }
    QVERIFY(about->isVisible()); // opening an address leaves the window as it was
}

void AboutWindowTest::theHintsShowTheBareAddresses()
{
    for (const std::uint16_t language : {std::uint16_t{1049}, std::uint16_t{1033}}) {
        GuiHarness gui(language);
        for (const auto& [name, address] : addressLines()) {
            const QString hint = gui.find<QLabel>(&gui.windows.about(), name.toLatin1().constData())->toolTip();
            QCOMPARE(hint, address.hint);
            QVERIFY(!hint.contains(QLatin1String("mailto:")));
        }
    }
}

void AboutWindowTest::theKeyboardOpensEachAddressLine()
{
    GuiHarness gui;
    TForm3* about = &gui.windows.about();
    about->show();
    QApplication::setActiveWindow(about);
    QVERIFY(QTest::qWaitForWindowActive(about));
    for (const auto& [name, address] : addressLines()) {
        auto* line = gui.find<QLabel>(about, name.toLatin1().constData());
        QVERIFY2(line->focusPolicy() & Qt::TabFocus, name.toLatin1().constData());
        for (const Qt::Key key : {Qt::Key_Return, Qt::Key_Space}) {
            gui.opener.opened.clear();
            line->setFocus(Qt::TabFocusReason);
            QTest::keyClick(line, key);
            QCOMPARE(gui.opener.opened, QStringList{address.target});
        }
    }
}

void AboutWindowTest::bothAboutButtonsShowItModally()
{
    GuiHarness gui;
    TForm4* settings = &gui.windows.settings();
    settings->show();
    for (QWidget* window : {static_cast<QWidget*>(&gui.windows.main()), static_cast<QWidget*>(settings)}) {
        const auto seen =
            closingModals([&] { QTest::mouseClick(gui.find<QPushButton>(window, "AboutButton"), Qt::LeftButton); });
        QCOMPARE(seen.size(), std::size_t{1});
        QCOMPARE(seen[0].objectName, QStringLiteral("TForm3"));
        QVERIFY(gui.windows.about().isHidden());
    }
}

QTEST_MAIN(AboutWindowTest)
#include "AboutWindowTest.moc"
