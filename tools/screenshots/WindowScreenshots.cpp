// zv-screenshots OUTDIR [ru] [en]: draws the six windows as a user sees them with a Q5 camera
// plugged in, and the own formats window holding two formats, on a stopped clock, and saves each
// as OUTDIR/<window>-<language>.png. The date and time follow the process's locale, as in the
// program, so each language is best drawn under its own LANG (take-screenshots.sh does that).
#include "app/WindowSet.h"
#include "fakes/FakeCardEjector.h"
#include "fakes/FakeDriveProbe.h"
#include "fakes/FakeSeams.h"
#include "profiles/OwnFormatStartingPoints.h"
#include "ui/about/Unit3.h"
#include "ui/common/AppContext.h"
#include "ui/common/WindowLook.h"
#include "ui/confirm/Unit2.h"
#include "ui/confirm/Unit5.h"
#include "ui/confirm/Unit6.h"
#include "ui/main/Unit1.h"
#include "ui/settings/OwnFormatsWindow.h"
#include "ui/settings/Unit4.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QTemporaryDir>
#include <QTimer>

#include <cstdio>
#include <cstdlib>
#include <functional>

using namespace zv;

namespace {

struct Language {
    QString suffix;
    std::uint16_t id;
};

constexpr ModelIndex kQ5 = 5;

// Says which controls' texts need more room than their fixed size gives; the pictures show how it
// looks, this says where to look.
void reportTightTexts(const QWidget* window, const QString& picture)
{
    for (const QWidget* control : window->findChildren<QWidget*>()) {
        QSize needed;
        if (const auto* label = qobject_cast<const QLabel*>(control); label && !label->text().isEmpty())
            needed = label->wordWrap() ? QSize(0, label->heightForWidth(label->width())) : label->sizeHint();
        else if (qobject_cast<const QAbstractButton*>(control) || qobject_cast<const QComboBox*>(control))
            needed = QSize(control->sizeHint().width(), 0); // their height is the form's, text or not
        if (control->isVisible() && (needed.width() > control->width() || needed.height() > control->height()))
            std::fprintf(stderr, "zv-screenshots: %s: %s needs %dx%d, has %dx%d\n", qPrintable(picture),
                qPrintable(control->objectName()), needed.width(), needed.height(), control->width(),
                control->height());
    }
}

// Saves a window that is showing.
bool savePicture(QWidget* window, const QString& path)
{
    QCoreApplication::processEvents();
    reportTightTexts(window, QFileInfo(path).fileName());
    const bool saved = window->grab().save(path);
    if (!saved)
        std::fprintf(stderr, "zv-screenshots: cannot write %s\n", qPrintable(path));
    return saved;
}

bool save(QWidget* window, const QString& path)
{
    window->show();
    const bool saved = savePicture(window, path);
    window->hide();
    return saved;
}

// Saves `window` while `showModally` shows it modally, then closes it.
bool saveWhileModal(QDialog* window, const QString& path, const std::function<void()>& showModally)
{
    bool saved = false;
    QTimer::singleShot(0, window, [&] {
        // A text field fits its scroll bars to its text only some passes after it shows.
        QCoreApplication::processEvents();
        saved = savePicture(window, path);
        window->reject();
    });
    showModally();
    return saved;
}

// The own formats window shows only while it edits: drawn with the key-chain starting point
// chosen and one more below it, then cancelled.
bool saveOwnFormats(AppContext& context, const QString& path)
{
    OwnFormatsWindow window(context);
    const auto startingPoints = ownFormatStartingPoints();
    return saveWhileModal(&window, path, [&] {
        (void)window.edit({startingPoints[0].format, startingPoints[1].format});
    });
}

// The camera's two answers for a card set with MD80 and plugged in again.
bool saveCameraAnswers(CameraAnswerWindow& window, const QDir& out, const QString& suffix)
{
    const SetCardRecord record{"fs:1A2B-3C4D", "TAG.txt", "2026-12-09 14:30:00\r\n", 0, {}, "MD80", 0, false};
    bool saved = true;
    for (const auto& [name, verdict] :
        {std::pair{"camera-took", CardVerdict::Taken}, std::pair{"camera-not-read", CardVerdict::RecordedButNotRead}})
        saved = saveWhileModal(&window, out.filePath(QString::fromLatin1(name) + u'-' + suffix + ".png"),
                    [&] { window.showAnswer(verdict, record); }) &&
            saved;
    return saved;
}

bool drawWindows(const QDir& out, const Language& language)
{
    const QTemporaryDir settingsFolder;
    test::FakeClock clock(QDateTime(QDate(2026, 12, 9), QTime(14, 30, 0)));
    test::RecordingOpener opener;
    test::FakeDriveProbe camera; // one camera plugged in, whatever the machine really has
    camera.plug("E:\\", "CAMERA");
    test::FakeCardEjector ejector;
    AppContext context(Seams{clock, opener, camera, [&language] { return language.id; },
        settingsFolder.filePath(QStringLiteral("Zentrik.ini")).toStdString(), ejector, {}});
    WindowSet windows(context);

    auto* models = windows.main().findChild<QComboBox*>(QStringLiteral("ComboBox3"));
    models->setCurrentIndex(kQ5);
    emit models->activated(kQ5); // as a user's choice, so both windows follow
    windows.main().Timer1Timer();
    windows.main().Timer2Timer();

    const std::pair<const char*, QWidget*> pictures[] = {{"main", &windows.main()}, {"settings", &windows.settings()},
        {"about", &windows.about()}, {"set-done", &windows.setConfirmation()},
        {"user-saved", &windows.userSettingsSaved()}, {"defaults-saved", &windows.defaultsSaved()}};
    // The set confirmation as a set leaves it, with its eject button.
    windows.setConfirmation().findChild<QWidget*>(QStringLiteral("EjectButton"))->setVisible(true);
    bool allSaved = true;
    for (const auto& [name, window] : pictures)
        allSaved = save(window, out.filePath(QString::fromLatin1(name) + u'-' + language.suffix + ".png")) && allSaved;
    allSaved = saveCameraAnswers(windows.cameraAnswer(), out, language.suffix) && allSaved;
    return saveOwnFormats(context, out.filePath(QStringLiteral("own-formats-") + language.suffix + ".png")) && allSaved;
}

} // namespace

int main(int argc, char** argv)
{
    QApplication application(argc, argv);
    QStringList arguments = QApplication::arguments().mid(1);
    if (arguments.isEmpty()) {
        std::fprintf(stderr, "usage: zv-screenshots OUTDIR [ru] [en]\n");
        return EXIT_FAILURE;
    }
    const QDir out(arguments.takeFirst());
    if (!out.mkpath(QStringLiteral(".")))
        return EXIT_FAILURE;
    if (arguments.isEmpty())
        arguments = {QStringLiteral("ru"), QStringLiteral("en")};
    applyWindowFont();

    bool allSaved = true;
    for (const QString& suffix : arguments) {
        if (suffix != QLatin1String("ru") && suffix != QLatin1String("en")) {
            std::fprintf(stderr, "zv-screenshots: unknown language %s\n", qPrintable(suffix));
            return EXIT_FAILURE;
        }
        allSaved =
            drawWindows(out, {suffix, suffix == QLatin1String("ru") ? std::uint16_t{1049} : std::uint16_t{1033}}) &&
            allSaved;
    }
    return allSaved ? EXIT_SUCCESS : EXIT_FAILURE;
}
