// The one running copy: a second copy brings the first forward, and the first answers only what
// a copy says.
#include "GuiHarness.h"

#include "app/TXJustOne.h"

#include <QElapsedTimer>
#include <QTest>
#include <QWidget>

#include <chrono>
#include <future>
#include <utility>

using namespace zv;
using namespace zv::test;

class TXJustOneTest : public QObject {
    Q_OBJECT

private slots:
    void aSecondCopyBringsTheFirstForward();
    void theRunningCopyAnswersWhatACopySaysAndNothingElse_data();
    void theRunningCopyAnswersWhatACopySaysAndNothingElse();
};

void TXJustOneTest::aSecondCopyBringsTheFirstForward()
{
    TempFolder runtime;
    const QString folder = QString::fromStdString(runtime.path());
    QWidget window;
    window.showMinimized();
    TXJustOne first(QStringLiteral("Zentrik Vesmar"), folder);
    QVERIFY(first.check());
    first.setWindowToActivate(&window);
    // The second copy waits for the first one's answer, which this thread's event loop gives.
    std::future<bool> secondRuns = std::async(std::launch::async, [&folder] {
        TXJustOne second(QStringLiteral("Zentrik Vesmar"), folder);
        return second.check();
    });
    QTRY_VERIFY(secondRuns.wait_for(std::chrono::seconds(0)) == std::future_status::ready);
    QVERIFY(!secondRuns.get());
    QTRY_VERIFY(!window.isMinimized());
}

void TXJustOneTest::theRunningCopyAnswersWhatACopySaysAndNothingElse_data()
{
    QTest::addColumn<QByteArray>("said");
    QTest::addColumn<QByteArray>("answer");
    QTest::addColumn<bool>("overAtOnce"); // false: the caller waits in vain until it gives up
    QTest::newRow("come forward") << QByteArray("activate\n") << QByteArray("here\n") << true;
    QTest::newRow("are you there") << QByteArray("are you there\n") << QByteArray("here\n") << true;
    QTest::newRow("anything else") << QByteArray("format c:\n") << QByteArray() << false;
    QTest::newRow("a line without end is hung up on") << QByteArray(4096, 'x') << QByteArray() << true;
}

// Beside a caller that connects and says nothing, which must not hold up the next one.
void TXJustOneTest::theRunningCopyAnswersWhatACopySaysAndNothingElse()
{
    QFETCH(QByteArray, said);
    QFETCH(QByteArray, answer);
    QFETCH(bool, overAtOnce);
    const TempFolder temp;
    const QString folder = QString::fromStdString(temp.path());
    TXJustOne first(QStringLiteral("Zentrik Vesmar"), folder);
    QVERIFY(first.check());
    const QString name = first.serverName();
    constexpr int kGiveUpMs = 1000;
    const auto ask = [&name](const QByteArray& line, int waitMs) {
        return std::async(std::launch::async, [&name, line, waitMs] {
            QElapsedTimer took;
            took.start();
            const QByteArray heard = askListeningCopy(name, line, QDeadlineTimer(500), QDeadlineTimer(waitMs));
            return std::make_pair(heard, took.elapsed() < waitMs / 2);
        });
    };
    auto silent = ask({}, kGiveUpMs / 2);
    auto asked = ask(said, kGiveUpMs);
    QTRY_VERIFY(asked.wait_for(std::chrono::seconds(0)) == std::future_status::ready);
    QCOMPARE(asked.get(), std::make_pair(answer, overAtOnce));
    QTRY_VERIFY(silent.wait_for(std::chrono::seconds(0)) == std::future_status::ready);
    QCOMPARE(silent.get().first, QByteArray());
}

QTEST_MAIN(TXJustOneTest)
#include "TXJustOneTest.moc"
