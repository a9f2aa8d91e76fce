// The Windows card ejector under Wine, whose configuration manager ejects nothing: every root
// comes back as a clean outcome other than Ejected (a hang ends at ctest's time-out).
#include "app/CardEjector.h"

#include <QTest>

#include <windows.h>

using namespace zv;
using Outcome = CardEjector::Outcome;

class CardEjectorWindowsTest : public QObject {
    Q_OBJECT

private slots:
    void noRootIsEverReportedEjected_data()
    {
        QTest::addColumn<QString>("root");
        QTest::addColumn<bool>("notFound");
        // build.sh's Wine prefix maps M: to a folder it reports as removable.
        QTest::newRow("the removable test drive") << qEnvironmentVariable("ZV_TEST_REMOVABLE_ROOT", "M:\\") << false;
        const DWORD drives = ::GetLogicalDrives();
        char unused = 'Z';
        while (unused > 'D' && (drives & (1UL << (unused - 'A'))) != 0)
            --unused;
        QTest::newRow("a letter no drive has") << QString(QLatin1Char(unused)) + QLatin1String(":\\") << true;
        QTest::newRow("a folder, not a drive's root") << QStringLiteral("C:\\windows") << true;
        QTest::newRow("nothing") << QString() << true;
    }

    void noRootIsEverReportedEjected()
    {
        if (::GetProcAddress(::GetModuleHandleW(L"ntdll.dll"), "wine_get_version") == nullptr)
            QSKIP("on Windows itself this would eject a real card");
        QFETCH(QString, root);
        QFETCH(bool, notFound);
        const CardEjector::Result result = makeSystemCardEjector()->eject(root.toStdString());
        QVERIFY2(result.outcome != Outcome::Ejected, result.detail.c_str());
        if (notFound)
            QCOMPARE(result.outcome, Outcome::NotFound);
    }
};

QTEST_GUILESS_MAIN(CardEjectorWindowsTest)
#include "CardEjectorWindowsTest.moc"
