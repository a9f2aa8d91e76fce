// Where the program keeps its files for a user, from the environment it is given: never at the
// file system's root, however the home folder is missing or mis-set.
#include "app/UserFolders.h"

#include <QCoreApplication>
#include <QTemporaryDir>
#include <QTest>

#include <optional>

using namespace zv;

class UserFoldersPosixTest : public QObject {
    Q_OBJECT

private slots:
    void eachFolderFollowsItsVariableThenHomeAndElseIsNowhere();
};

void UserFoldersPosixTest::eachFolderFollowsItsVariableThenHomeAndElseIsNowhere()
{
    QCoreApplication::setOrganizationName(QStringLiteral("Zentrik"));
    QCoreApplication::setApplicationName(QStringLiteral("Zentrik Vesmar"));
    QTemporaryDir home;
    QVERIFY(home.isValid());
    const QString h = home.path();
    const QString missing = h + QStringLiteral("/gone");
    const QString program = QStringLiteral("/Zentrik/Zentrik Vesmar");
    const struct {
        const char* what;
        std::optional<QString> home, config, state, cache; // unset when empty
        QString expectConfig, expectState, expectCache;
    } cases[] = {
        {"home only", h, {}, {}, {}, h + "/.config" + program, h + "/.local/state" + program, h + "/.cache"},
        {"variables win", h, "/srv/c", "/srv/s", "/srv/k", "/srv/c" + program, "/srv/s" + program, "/srv/k"},
        {"no home", {}, {}, {}, {}, {}, {}, {}},
        {"home is the root", QStringLiteral("/"), {}, {}, {}, {}, {}, {}},
        {"home is relative", QStringLiteral("user"), {}, {}, {}, {}, {}, {}},
        {"home is gone", missing, {}, {}, {}, {}, {}, {}},
        {"a variable set to the root", h, QStringLiteral("/"), {}, {}, h + "/.config" + program,
            h + "/.local/state" + program, h + "/.cache"},
    };
    for (const auto& c : cases) {
        const auto set = [](const char* name, const std::optional<QString>& value) {
            value ? qputenv(name, value->toUtf8()) : qunsetenv(name);
        };
        set("HOME", c.home);
        set("XDG_CONFIG_HOME", c.config);
        set("XDG_STATE_HOME", c.state);
        set("XDG_CACHE_HOME", c.cache);
        QCOMPARE(userConfigFolder(), c.expectConfig);
        QCOMPARE(userStateFolder(), c.expectState);
        QCOMPARE(userCacheFolder(), c.expectCache);
    }
}

QTEST_GUILESS_MAIN(UserFoldersPosixTest)
#include "UserFoldersTest_posix.moc"
