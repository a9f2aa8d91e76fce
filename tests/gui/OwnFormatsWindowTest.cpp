// The own formats window: adding from a starting point, what it says about a bad format, removing,
// cancelling, and the most formats a list holds.
#include "ui/settings/OwnFormatsWindow.h"
#include "fakes/FakeCardEjector.h"
#include "fakes/FakeDriveProbe.h"
#include "fakes/FakeSeams.h"
#include "profiles/OwnFormatStartingPoints.h"
#include "ui/common/AppContext.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <functional>

using namespace zv;
using namespace zv::test;

namespace {

constexpr std::uint16_t kRussian = 1049;
constexpr std::uint16_t kEnglish = 1033;

// The window over fakes, its clock stopped at 2026-12-09 14:30:00.
struct Fixture {
    explicit Fixture(std::uint16_t languageId = kRussian) : language(languageId) { }

    FakeClock clock{QDateTime(QDate(2026, 12, 9), QTime(14, 30, 0))};
    RecordingOpener opener;
    FakeDriveProbe probe;
    FakeCardEjector ejector;
    std::uint16_t language;
    AppContext context{Seams{clock, opener, probe, [this] { return language; }, {}, ejector, {}}};
    OwnFormatsWindow window{context};

    template <typename T> T* find(const char* name) const
    {
        T* found = window.findChild<T*>(QString::fromLatin1(name));
        if (found == nullptr)
            qFatal("no control %s", name);
        return found;
    }

    // Edits `formats`, doing `act` once the window shows. A window `act` leaves open is cancelled,
    // so a failed check inside it ends the edit instead of hanging the test.
    std::optional<std::vector<OwnFormat>> edit(const std::vector<OwnFormat>& formats, const std::function<void()>& act)
    {
        QTimer::singleShot(0, &window, [this, &act] {
            act();
            if (window.isVisible())
                window.reject();
        });
        return window.edit(formats);
    }

    void type(const char* control, const QString& text) const
    {
        if (auto* edit = window.findChild<QPlainTextEdit*>(QString::fromLatin1(control)))
            edit->setPlainText(text);
        else
            find<QLineEdit>(control)->setText(text);
    }
};

OwnFormat format(const std::string& name)
{
    return {name, "time.txt", "{year}{month}{day}{hour}{minute}{second}", LineBreak::Lf, false};
}

} // namespace

class OwnFormatsWindowTest : public QObject {
    Q_OBJECT

private slots:
    void theKeyChainStartingPointFillsTheFieldsShowsItsFileAndIsSaved();
    void aBadFieldStopsTheSaveAndSaysWhy();
    void removeTakesTheChosenFormatOut();
    void cancellingInAnyWayGivesNothingBack();
    void twentyFormatsLeaveNoRoomToAdd();
    void theKeyboardWalksTheWindowInReadingOrderAndEveryControlIsNamed();
};

void OwnFormatsWindowTest::theKeyChainStartingPointFillsTheFieldsShowsItsFileAndIsSaved()
{
    Fixture f;
    const OwnFormat keyChain = ownFormatStartingPoints()[0].format;
    const auto saved = f.edit({}, [&] {
        QCOMPARE(f.window.focusWidget(), f.find<QListWidget>("FormatList"));
        const QList<QAction*> choices = f.find<QMenu>("AddMenu")->actions();
        QCOMPARE(choices.size(), qsizetype{4});
        QCOMPARE(choices.last()->text(), QStringLiteral("пустой"));
        choices.first()->trigger();

        QCOMPARE(f.find<QLineEdit>("NameEdit")->text(), QStringLiteral("808 #8"));
        QCOMPARE(f.find<QLineEdit>("FileNameEdit")->text(), QStringLiteral("tag.txt"));
        QCOMPARE(f.find<QPlainTextEdit>("TemplateEdit")->toPlainText(),
            QStringLiteral("[date]\n{year}/{month}/{day}\n{hour}:{minute}:{second}"));
        QCOMPARE(f.find<QComboBox>("LineBreakList")->currentText(), QStringLiteral("CR LF (Windows)"));
        QVERIFY(f.find<QCheckBox>("BreakAfterLastBox")->isChecked());
        QCOMPARE(f.find<QLabel>("SampleLabel")->text().split(u'\n'), QStringList({"[date]", "2026/12/09", "14:30:00"}));
        QCOMPARE(f.find<QLabel>("ProblemLabel")->text(), QString());

        f.clock.moment = f.clock.moment.addSecs(5); // the sample follows the clock
        QTRY_COMPARE(f.find<QLabel>("SampleLabel")->text().split(u'\n').last(), QStringLiteral("14:30:05"));
        QTest::mouseClick(f.find<QPushButton>("SaveButton"), Qt::LeftButton);
    });
    QCOMPARE(saved, std::optional(std::vector{keyChain}));
}

void OwnFormatsWindowTest::aBadFieldStopsTheSaveAndSaysWhy()
{
    const struct {
        std::uint16_t language;
        const char* control;
        QString input;
        QString said;
        bool saveable;
    } cases[] = {
        {kRussian, "NameEdit", "", "Название не задано.", false},
        {kRussian, "NameEdit", "md80", "Так называется одна из встроенных моделей.", false},
        {kRussian, "NameEdit", "First", "Это название уже есть у формата выше в списке.", false},
        {kRussian, "FileNameEdit", "DCIM/time.txt",
            "В имени файла есть разделитель папок (/ или \\): файл пишется в корень карты.", false},
        {kRussian, "FileNameEdit", "time?.txt", "В имени файла есть символ, который карты не принимают: : * ? \" < > |",
            false},
        {kRussian, "FileNameEdit", "nul.txt", "Это имя устройства Windows (CON, NUL, COM1 и подобные).", false},
        {kRussian, "TemplateEdit", "[date]\n{year}-{yaer}", "Содержимое, строка 2, столбец 8: неизвестное поле {yaer}.",
            false},
        {kRussian, "TemplateEdit", "{year}}", "Содержимое, строка 1, столбец 7: «}» без «{»; сама скобка пишется }}.",
            false},
        {kRussian, "TemplateEdit", QString(600, u'x') + "{year}\n",
            "Содержимое слишком длинное для файла камеры: больше 512 байт.", false},
        {kRussian, "TemplateEdit", "2026",
            "Внимание: в содержимом нет ни одного поля, поэтому файл никогда не меняется.", true},
        {kEnglish, "TemplateEdit", "{hour:{minute}",
            "Contents, line 1, column 1: a \"{\" without its \"}\"; write {{ for the brace itself.", false},
    };
    for (const auto& c : cases) {
        Fixture f(c.language);
        f.edit({format("First"), format("Second")}, [&] {
            f.find<QListWidget>("FormatList")->setCurrentRow(1);
            QVERIFY(f.find<QPushButton>("SaveButton")->isEnabled());
            f.type(c.control, c.input);
            QCOMPARE(f.find<QLabel>("ProblemLabel")->text(), c.said);
            QCOMPARE(f.find<QPushButton>("SaveButton")->isEnabled(), c.saveable);
            QVERIFY(f.find<QPushButton>("CancelButton")->isEnabled());
        });
    }
}

void OwnFormatsWindowTest::removeTakesTheChosenFormatOut()
{
    Fixture f;
    const auto saved = f.edit({format("A"), format("B"), format("C")}, [&] {
        f.find<QListWidget>("FormatList")->setCurrentRow(1);
        QTest::mouseClick(f.find<QPushButton>("RemoveButton"), Qt::LeftButton);
        QCOMPARE(f.find<QLineEdit>("NameEdit")->text(), QStringLiteral("C")); // the next one is chosen
        QTest::mouseClick(f.find<QPushButton>("SaveButton"), Qt::LeftButton);
    });
    QCOMPARE(saved, std::optional(std::vector{format("A"), format("C")}));
}

void OwnFormatsWindowTest::cancellingInAnyWayGivesNothingBack()
{
    const std::pair<const char*, std::function<void(Fixture&)>> ways[] = {
        {"Cancel", [](Fixture& f) { QTest::mouseClick(f.find<QPushButton>("CancelButton"), Qt::LeftButton); }},
        {"Escape", [](Fixture& f) { QTest::keyClick(f.find<QListWidget>("FormatList"), Qt::Key_Escape); }},
        {"close", [](Fixture& f) { f.window.close(); }},
    };
    for (const auto& [way, cancel] : ways) {
        Fixture f;
        const std::vector<OwnFormat> formats = {format("A")};
        const auto edited = f.edit(formats, [&] {
            f.type("NameEdit", QStringLiteral("B"));
            cancel(f);
            QVERIFY2(!f.window.isVisible(), way);
        });
        QVERIFY2(!edited.has_value(), way);
        QCOMPARE(formats, std::vector{format("A")});
    }
}

void OwnFormatsWindowTest::twentyFormatsLeaveNoRoomToAdd()
{
    std::vector<OwnFormat> twenty;
    for (int k = 1; k <= 20; ++k)
        twenty.push_back(format("F" + std::to_string(k)));
    Fixture f;
    const auto saved = f.edit(twenty, [&] {
        QVERIFY(!f.find<QPushButton>("AddButton")->isEnabled());
        QVERIFY(f.find<QPushButton>("SaveButton")->isEnabled());
        QTest::mouseClick(f.find<QPushButton>("RemoveButton"), Qt::LeftButton);
        QVERIFY(f.find<QPushButton>("AddButton")->isEnabled());
        f.find<QMenu>("AddMenu")->actions().first()->trigger();
        QVERIFY(!f.find<QPushButton>("AddButton")->isEnabled());
        QTest::mouseClick(f.find<QPushButton>("SaveButton"), Qt::LeftButton);
    });
    QVERIFY(saved.has_value());
    QCOMPARE(saved->size(), std::size_t{20});
    QCOMPARE(saved->back().name, std::string("808 #8"));
}

void OwnFormatsWindowTest::theKeyboardWalksTheWindowInReadingOrderAndEveryControlIsNamed()
{
    Fixture f;
    f.edit({format("A")}, [&] {
        QStringList walked;
        for (int k = 0; k < 11; ++k) {
            walked << f.window.focusWidget()->objectName();
            QTest::keyClick(f.window.focusWidget(), Qt::Key_Tab);
        }
        QCOMPARE(walked,
            QStringList({"FormatList", "AddButton", "RemoveButton", "NameEdit", "FileNameEdit", "TemplateEdit",
                "LineBreakList", "BreakAfterLastBox", "SaveButton", "CancelButton", "FormatList"}));

        // A screen reader names a control by its text, its label or a name of its own.
        QStringList labelled;
        for (const QLabel* label : f.window.findChildren<QLabel*>())
            if (label->buddy() != nullptr)
                labelled << label->buddy()->objectName();
        for (const QWidget* control : f.window.findChildren<QWidget*>()) {
            const auto* button = qobject_cast<const QAbstractButton*>(control);
            if (control->focusPolicy() & Qt::TabFocus && !control->objectName().startsWith(QLatin1String("qt_")))
                QVERIFY2((button && !button->text().isEmpty()) || labelled.contains(control->objectName()) ||
                        !control->accessibleName().isEmpty(),
                    qPrintable(control->objectName()));
        }
    });
}

QTEST_MAIN(OwnFormatsWindowTest)
#include "OwnFormatsWindowTest.moc"
