// The Linux card ejector against UDisks2 simulated by python-dbusmock on a private system bus,
// which card_ejector_test.sh starts (ZV_TEST_UDISKS2=simulated), then stops or points nowhere
// (ZV_TEST_UDISKS2=absent): what each answer becomes, and that only the card is touched.
#include "app/CardEjector.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>

using namespace zv;
using Outcome = CardEjector::Outcome;

namespace {

const QString kService = QStringLiteral("org.freedesktop.UDisks2");
const QString kCard = QStringLiteral("/org/freedesktop/UDisks2/block_devices/sdc1");
const QString kCardDrive = QStringLiteral("/org/freedesktop/UDisks2/drives/Camera");
const QString kSystemDisk = QStringLiteral("/org/freedesktop/UDisks2/block_devices/sda1");

QDBusMessage callSimulation(const QString& method, const QVariantList& arguments)
{
    QDBusMessage message = QDBusMessage::createMethodCall(kService, QStringLiteral("/org/freedesktop/UDisks2/Manager"),
        QStringLiteral("org.freedesktop.DBus.Mock"), method);
    message.setArguments(arguments);
    return QDBusConnection::systemBus().call(message);
}

int callsOf(const QString& path, const QString& method)
{
    const QDBusMessage reply = callSimulation(QStringLiteral("Calls"), {path, method});
    return reply.arguments().value(0, -1).toInt();
}

bool isUnder(const char* mode) { return qEnvironmentVariable("ZV_TEST_UDISKS2") == QLatin1String(mode); }

} // namespace

class CardEjectorTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QVERIFY(card_.isValid());
        struct stat folder { };
        QCOMPARE(::stat(QFile::encodeName(card_.path()).constData(), &folder), 0);
        device_ = folder.st_dev;
        if (isUnder("simulated"))
            QTRY_VERIFY_WITH_TIMEOUT(QDBusConnection::systemBus().interface()->isServiceRegistered(kService), 10000);
    }

    void eachAnswerOfUDisks2BecomesItsOutcome_data()
    {
        QTest::addColumn<bool>("mountedAtRoot");
        QTest::addColumn<bool>("deviceOfRoot");
        QTest::addColumn<bool>("canPowerOff");
        QTest::addColumn<QString>("unmountError");
        QTest::addColumn<QString>("powerOffError");
        QTest::addColumn<Outcome>("outcome");
        QTest::addColumn<int>("unmounts");
        QTest::addColumn<int>("powerOffs");

        const QString busy = QStringLiteral("org.freedesktop.UDisks2.Error.DeviceBusy");
        const QString notAuthorized = QStringLiteral("org.freedesktop.UDisks2.Error.NotAuthorizedCanObtain");
        const QString failed = QStringLiteral("org.freedesktop.UDisks2.Error.Failed");
        const QString none;
        QTest::newRow("unmounted and powered off")
            << true << true << true << none << none << Outcome::Ejected << 1 << 1;
        QTest::newRow("the drive cannot power off")
            << true << true << false << none << none << Outcome::Ejected << 1 << 0;
        QTest::newRow("powering off fails after the unmount")
            << true << true << true << none << failed << Outcome::Ejected << 1 << 1;
        QTest::newRow("a file is open") << true << true << true << busy << none << Outcome::Busy << 1 << 0;
        QTest::newRow("polkit says no") << true << true << true << notAuthorized << none << Outcome::Refused << 1 << 0;
        QTest::newRow("unmount fails otherwise") << true << true << true << failed << none << Outcome::Failed << 1 << 0;
        QTest::newRow("the card is mounted elsewhere")
            << false << true << true << none << none << Outcome::NotFound << 0 << 0;
        QTest::newRow("no block device holds the root")
            << true << false << true << none << none << Outcome::NotFound << 0 << 0;
    }

    void eachAnswerOfUDisks2BecomesItsOutcome()
    {
        if (!isUnder("simulated"))
            QSKIP("needs the simulated UDisks2 of card_ejector_test.sh");
        QFETCH(bool, mountedAtRoot);
        QFETCH(bool, deviceOfRoot);
        QFETCH(bool, canPowerOff);
        QFETCH(QString, unmountError);
        QFETCH(QString, powerOffError);
        QFETCH(Outcome, outcome);
        QFETCH(int, unmounts);
        QFETCH(int, powerOffs);
        const QString mountPoint = mountedAtRoot ? card_.path() : card_.path() + QStringLiteral("-other");
        const qulonglong device = deviceOfRoot ? device_ : device_ + 1;
        const QDBusMessage set =
            callSimulation(QStringLiteral("SetCard"), {device, mountPoint, canPowerOff, unmountError, powerOffError});
        QVERIFY2(set.type() == QDBusMessage::ReplyMessage, qPrintable(set.errorMessage()));

        const CardEjector::Result result = makeSystemCardEjector()->eject(card_.path().toStdString() + '/');

        QCOMPARE(result.outcome, outcome);
        QCOMPARE(callsOf(kCard, QStringLiteral("Unmount")), unmounts);
        QCOMPARE(callsOf(kCardDrive, QStringLiteral("PowerOff")), powerOffs);
        QCOMPARE(callsOf(kSystemDisk, QStringLiteral("Unmount")), 0);
        // The system's own words reach the window whenever UDisks2 said no.
        if (!unmountError.isEmpty() || !powerOffError.isEmpty())
            QVERIFY2(
                QString::fromStdString(result.detail).contains(QLatin1String("(simulated)")), result.detail.c_str());
    }

    void withoutUDisks2NothingCanEjectAndNothingWaits()
    {
        if (!isUnder("absent"))
            QSKIP("needs a system bus without UDisks2, or none, from card_ejector_test.sh");
        QElapsedTimer clock;
        clock.start();
        const CardEjector::Result result = makeSystemCardEjector()->eject(card_.path().toStdString() + '/');
        QCOMPARE(result.outcome, Outcome::NoService);
        QCOMPARE_LT(clock.elapsed(), 4000); // less than one lookup's time-out: nothing waited
    }

private:
    QTemporaryDir card_;
    qulonglong device_ = 0;
};

QTEST_GUILESS_MAIN(CardEjectorTest)
#include "CardEjectorTest.moc"
