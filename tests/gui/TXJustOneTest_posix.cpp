// The one running copy's lock on POSIX, in a private folder of the user's: a lock that cannot be
// had does not stop the start, and only a folder this user alone may write counts as private.
// Windows keeps the lock in the user's own temporary folder.
#include "GuiHarness.h"

#include "app/TXJustOne.h"
#include "common/ScopedUnprivileged.h"

#include <QTest>

#include <optional>
#include <sys/stat.h>
#include <unistd.h>

using namespace zv;
using namespace zv::test;

class TXJustOnePosixTest : public QObject {
    Q_OBJECT

private slots:
    void aLockThatCannotBeHadDoesNotStopTheStart_data();
    void aLockThatCannotBeHadDoesNotStopTheStart();
    void onlyAFolderThisUserAloneMayWriteIsPrivate_data();
    void onlyAFolderThisUserAloneMayWriteIsPrivate();
};

void TXJustOnePosixTest::aLockThatCannotBeHadDoesNotStopTheStart_data()
{
    QTest::addColumn<bool>("lockIsAFolder");
    QTest::newRow("a folder named like the lock") << true;
    QTest::newRow("a folder this user cannot write") << false;
}

void TXJustOnePosixTest::aLockThatCannotBeHadDoesNotStopTheStart()
{
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
}

void TXJustOnePosixTest::onlyAFolderThisUserAloneMayWriteIsPrivate_data()
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

void TXJustOnePosixTest::onlyAFolderThisUserAloneMayWriteIsPrivate()
{
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
}

QTEST_MAIN(TXJustOnePosixTest)
#include "TXJustOneTest_posix.moc"
