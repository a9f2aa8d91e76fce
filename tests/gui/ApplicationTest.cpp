// The program's frame: the six windows, the error box, the one running copy and the
// confirmation windows' rules.
#include "GuiHarness.h"

#include "app/DriveChangeWatch.h"
#include "app/TXJustOne.h"
#include "app/ZentrikApplication.h"
#include "profiles/DefaultProfiles.h"
#include "settings/SettingsFormat.h"
#include "ui/common/ErrorBox.h"
#include "ui/confirm/Unit2.h"
#include "ui/confirm/Unit5.h"
#include "ui/main/Unit1.h"
#include "ui/settings/Unit4.h"

#include <QDir>
#include <QElapsedTimer>
#include <QLabel>
#include <QTest>
#include <QWheelEvent>

#include <chrono>
#include <future>
#include <stdexcept>
#include <thread>

#ifndef Q_OS_WIN
#include "common/ScopedUnprivileged.h"

#include <optional>
#include <sys/socket.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

using namespace zv;
using namespace zv::test;

class ApplicationTest : public QObject {
    Q_OBJECT

private slots:
    void errorTextsEndWithAFullStopOnlyAfterALetterOrDigit_data();
    void errorTextsEndWithAFullStopOnlyAfterALetterOrDigit();
    void anUncaughtErrorIsShownAndTheLoopGoesOn();
    void allSixWindowsExistHiddenBeforeTheFirstTick();
    void theLightRunsInBothWindowsInStep();
    void aSecondCopyBringsTheFirstForward();
    void theRunningCopyAnswersWhatACopySaysAndNothingElse_data();
    void theRunningCopyAnswersWhatACopySaysAndNothingElse();
    void aLockThatCannotBeHadDoesNotStopTheStart_data();
    void aLockThatCannotBeHadDoesNotStopTheStart();
    void aDriveChangeIsToldFromTheWatchersThreadUntilItEnds();
    void onlyAFolderThisUserAloneMayWriteIsPrivate_data();
    void onlyAFolderThisUserAloneMayWriteIsPrivate();
    void confirmationsKeepTheirMessageAndTheirRules();
};

void ApplicationTest::errorTextsEndWithAFullStopOnlyAfterALetterOrDigit_data()
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

void ApplicationTest::errorTextsEndWithAFullStopOnlyAfterALetterOrDigit()
{
    QFETCH(QString, text);
    QFETCH(QString, shown);
    QCOMPARE(errorBoxText(text), shown);
}

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

void ApplicationTest::anUncaughtErrorIsShownAndTheLoopGoesOn()
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

void ApplicationTest::allSixWindowsExistHiddenBeforeTheFirstTick()
{
    GuiHarness gui;
    WindowSet& set = gui.windows;
    const std::vector<QWidget*> windows = {&set.main(), &set.setConfirmation(), &set.about(), &set.settings(),
        &set.userSettingsSaved(), &set.defaultsSaved()};
    for (QWidget* window : windows) {
        QVERIFY(window != nullptr);
        QVERIFY(window->isHidden());
        QCOMPARE(window->windowTitle(), QStringLiteral("Zentrik Vesmar by Dalvenor"));
    }
    // The settings window has filled itself from the file it wrote on this first start.
    QCOMPARE(readBytes(gui.settingsPath()), settingsFileText(DefaultProfiles()));
}

void ApplicationTest::theLightRunsInBothWindowsInStep()
{
    GuiHarness gui;
    StatusLights& lights = gui.windows.main().lights();
    QCOMPARE(lights.litPosition(), -1);
    const LampStrip main = gui.windows.main().litLamps();
    const LampStrip settings = gui.windows.settings().litLamps();
    // What shows at a lamp's place is the topmost widget there.
    const auto shows = [](const QLabel* lamp) {
        return lamp->parentWidget()->childAt(lamp->geometry().center()) == lamp;
    };
    for (int step = 0; step < 8; ++step) {
        QTRY_COMPARE_WITH_TIMEOUT(lights.litPosition(), step % kLampCount, 1000);
        for (int lamp = 0; lamp < kLampCount; ++lamp) {
            QCOMPARE(shows(main[lamp]), lamp == step % kLampCount);
            QCOMPARE(shows(settings[lamp]), lamp == step % kLampCount);
        }
    }
}

void ApplicationTest::aSecondCopyBringsTheFirstForward()
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

void ApplicationTest::theRunningCopyAnswersWhatACopySaysAndNothingElse_data()
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
void ApplicationTest::theRunningCopyAnswersWhatACopySaysAndNothingElse()
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

void ApplicationTest::aLockThatCannotBeHadDoesNotStopTheStart_data()
{
    QTest::addColumn<bool>("lockIsAFolder");
    QTest::newRow("a folder named like the lock") << true;
    QTest::newRow("a folder this user cannot write") << false;
}

void ApplicationTest::aLockThatCannotBeHadDoesNotStopTheStart()
{
#ifdef Q_OS_WIN
    QSKIP("Windows keeps the lock in the user's own temporary folder");
#else
    QFETCH(bool, lockIsAFolder);
    const TempFolder temp;
    std::optional<ScopedUnprivileged> unprivileged;
    if (lockIsAFolder) {
        QCOMPARE(::mkdir(temp.file("Zentrik Vesmar.lock").c_str(), 0700), 0);
    } else {
        QCOMPARE(::chmod(temp.path().c_str(), 0555), 0);
        unprivileged.emplace(); // root would write there all the same
    }
    TXJustOne copy(QStringLiteral("Zentrik Vesmar"), QString::fromStdString(temp.path()));
    QVERIFY(copy.check());
#endif
}

void ApplicationTest::onlyAFolderThisUserAloneMayWriteIsPrivate_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<int>("mode");
    QTest::addColumn<bool>("isPrivate");
    QTest::newRow("owner only") << "folder" << 0700 << true;
    QTest::newRow("others may read") << "folder" << 0755 << true;
    QTest::newRow("group may write") << "folder" << 0770 << false;
    QTest::newRow("others may write") << "folder" << 0703 << false;
    QTest::newRow("like /tmp") << "folder" << 01777 << false;
    QTest::newRow("another user's") << "other's folder" << 0700 << false;
    QTest::newRow("link to a private folder") << "link" << 0700 << false;
    QTest::newRow("file") << "file" << 0600 << false;
    QTest::newRow("missing") << "missing" << 0 << false;
}

void ApplicationTest::onlyAFolderThisUserAloneMayWriteIsPrivate()
{
#ifdef Q_OS_WIN
    QSKIP("Windows keeps the lock in the user's own temporary folder");
#else
    QFETCH(QString, kind);
    QFETCH(int, mode);
    QFETCH(bool, isPrivate);
    const TempFolder temp;
    const std::string real = temp.file("real");
    const std::string checked = temp.file("checked");
    QCOMPARE(::mkdir(real.c_str(), 0700), 0);
    if (kind == QStringLiteral("link"))
        QCOMPARE(::symlink(real.c_str(), checked.c_str()), 0);
    else if (kind == QStringLiteral("file"))
        writeBytes(checked, "");
    else if (kind != QStringLiteral("missing"))
        QCOMPARE(::mkdir(checked.c_str(), 0700), 0);
    if (kind == QStringLiteral("other's folder") && ::chown(checked.c_str(), 65534, 65534) != 0)
        QSKIP("only root can give a folder to another user");
    if (kind != QStringLiteral("missing"))
        QCOMPARE(::chmod(checked.c_str(), static_cast<mode_t>(mode)), 0);
    QCOMPARE(isPrivateFolder(QString::fromStdString(checked)), isPrivate);
#endif
}

void ApplicationTest::confirmationsKeepTheirMessageAndTheirRules()
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

// The watcher tells a report without the event loop, does not spin on a descriptor that
// reports for good, and ends when it is destroyed (else this test hangs).
void ApplicationTest::aDriveChangeIsToldFromTheWatchersThreadUntilItEnds()
{
#ifdef Q_OS_WIN
    QSKIP("Windows probes have no descriptor to watch");
#else
    int ends[2];
    QCOMPARE(::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, ends), 0);
    test::FakeDriveProbe probe;
    probe.changeHandle = ends[0];
    {
        const DriveChangeWatch watch(probe);
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
        QCOMPARE(probe.changesSignalled.load(), 0);
        ::close(ends[1]); // the other end hangs up: the descriptor now reports, and keeps reporting
        QTRY_VERIFY(probe.changesSignalled.load() > 0);
        // It rests between reports: 300 ms hold a handful, however busy the machine is.
        const int first = probe.changesSignalled.load();
        std::this_thread::sleep_for(std::chrono::milliseconds(300));
        QVERIFY2(probe.changesSignalled.load() - first <= 8, "a lasting report spins the watcher");
    }
    const int told = probe.changesSignalled.load();
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    QCOMPARE(probe.changesSignalled.load(), told);
    ::close(ends[0]);
#endif
}

int main(int argc, char** argv)
{
    ZentrikApplication application(argc, argv);
    ApplicationTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "ApplicationTest.moc"
