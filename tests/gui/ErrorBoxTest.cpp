// The error box: its texts, and an error no handler catches, which the application object shows
// before the event loop goes on.
#include "GuiHarness.h"

#include "app/ZentrikApplication.h"
#include "ui/common/ErrorBox.h"

#include <QTest>

#include <stdexcept>

using namespace zv;
using namespace zv::test;

class ErrorBoxTest : public QObject {
    Q_OBJECT

private slots:
    void errorTextsEndWithAFullStopOnlyAfterALetterOrDigit_data();
    void errorTextsEndWithAFullStopOnlyAfterALetterOrDigit();
    void anUncaughtErrorIsShownAndTheLoopGoesOn();
};

namespace {

class Throwing final : public QObject {
public:
    int handled = 0;

protected:
    bool event(QEvent* event) override
    {
        if (event->type() != QEvent::User)
            return QObject::event(event);
        ++handled;
        throw std::runtime_error("File access denied");
    }
};

} // namespace

void ErrorBoxTest::errorTextsEndWithAFullStopOnlyAfterALetterOrDigit_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("shown");
    QTest::newRow("letter") << "Disk full"
                            << "Disk full.";
    QTest::newRow("digit") << "I/O error 32"
                           << "I/O error 32.";
    QTest::newRow("full stop") << "Done."
                               << "Done.";
    QTest::newRow("bracket") << "Failed (5)"
                             << "Failed (5)";
    QTest::newRow("Cyrillic") << "Ошибка"
                              << "Ошибка.";
    QTest::newRow("empty") << ""
                           << "";
}

void ErrorBoxTest::errorTextsEndWithAFullStopOnlyAfterALetterOrDigit()
{
    QFETCH(QString, text);
    QFETCH(QString, shown);
    QCOMPARE(errorBoxText(text), shown);
}

void ErrorBoxTest::anUncaughtErrorIsShownAndTheLoopGoesOn()
{
    Throwing target;
    const auto seen = closingModals([&] {
        QCoreApplication::postEvent(&target, new QEvent(QEvent::User));
        QCoreApplication::postEvent(&target, new QEvent(QEvent::User));
        QTRY_COMPARE(target.handled, 2);
    });
    QCOMPARE(seen.size(), std::size_t{2});
    QCOMPARE(seen[0].objectName, QStringLiteral("ErrorBox"));
    QCOMPARE(seen[0].text, QStringLiteral("File access denied."));
}

// The application object is the one under test: it catches what the handlers throw.
int main(int argc, char** argv)
{
    ZentrikApplication application(argc, argv);
    ErrorBoxTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "ErrorBoxTest.moc"
