// The interface language: the Russian id keeps every designed text; any other id turns the listed
// captions, hints and list items English and leaves everything else, and both languages write the
// same files.
#include "GuiHarness.h"

#include "WindowTexts.h"

#include "profiles/CameraModels.h"
#include "profiles/DefaultProfiles.h"
#include "ui/about/MakerDetails.h"
#include "ui/about/Unit3.h"
#include "ui/confirm/Unit2.h"
#include "ui/confirm/Unit5.h"
#include "ui/confirm/Unit6.h"
#include "ui/main/Unit1.h"
#include "ui/settings/Unit4.h"

#include <QComboBox>
#include <QPushButton>
#include <QTest>
#include <QTranslator>

#include <array>
#include <filesystem>
#include <map>
#include <memory>

using namespace zv;
using namespace zv::test;

namespace {

enum class Window { Main, SetDone, About, Settings, UserSaved, DefaultsSaved };

constexpr Window kAllWindows[] = {
    Window::Main, Window::SetDone, Window::About, Window::Settings, Window::UserSaved, Window::DefaultsSaved};

const QWidget* windowOf(const GuiHarness& gui, Window window)
{
    const WindowSet& set = gui.windows;
    const std::array<const QWidget*, 6> windows = {&set.main(), &set.setConfirmation(), &set.about(), &set.settings(),
        &set.userSettingsSaved(), &set.defaultsSaved()};
    return windows[static_cast<std::size_t>(window)];
}

// A place in a window: "Label23/caption", "AboutButton/hint", "TagList/item1", "/title".
QString caption(const char* control) { return QString::fromLatin1(control) + QStringLiteral("/caption"); }
QString hint(const char* control) { return QString::fromLatin1(control) + QStringLiteral("/hint"); }
QString item(const char* control, int row)
{
    return QString::fromLatin1(control) + QStringLiteral("/item") + QString::number(row);
}
const QString kTitle = QStringLiteral("/title");

// A place in the program: "Main/Label23/caption".
QString keyOf(Window window, const QString& place)
{
    static const char* const names[] = {"Main", "SetDone", "About", "Settings", "UserSaved", "DefaultsSaved"};
    return QString::fromLatin1(names[static_cast<std::size_t>(window)]) + u'/' + place;
}

// Every text a user can see in the six windows, by where it sits.
using TextSnapshot = std::map<QString, QString>;

TextSnapshot snapshotOf(const GuiHarness& gui)
{
    TextSnapshot snapshot;
    for (const Window window : kAllWindows)
        forEachText(windowOf(gui, window),
            [&](const QString& place, const QString& text) { snapshot[keyOf(window, place)] = text; });
    return snapshot;
}

QString textAt(const TextSnapshot& snapshot, const QString& key)
{
    const auto found = snapshot.find(key);
    if (found == snapshot.end())
        qFatal("no text at %s", qPrintable(key));
    return found->second;
}

// One text the English interface replaces, at each place it is shown.
struct Translated {
    Window window;
    QStringList places;
    QString russian;
    QString english;
};

QString authorLine(const char* line) { return QString::fromUtf8(line).arg(QLatin1String(maker::kAuthorMail)); }

constexpr char kEnglishAuthorLine[] = "Author of the program: Dalvenor, %1";

const std::vector<Translated>& translatedTexts()
{
    using W = Window;
    static const std::vector<Translated> table = {
        {W::Main, {caption("Label23"), caption("Label33")}, "Тип миникамеры:", "Type of Zentrik:"},
        {W::Main, {caption("SettingsButton"), hint("SettingsButton")}, "Настройки", "Settings"},
        {W::Main, {hint("AboutButton")}, "О программе", "About"},
        {W::Main, {caption("Label24"), caption("Label34")}, "Отображать метку времени:", "Showing date and time:"},
        {W::Main, {caption("Label9"), caption("Label35")},
            "Миникамера в системе под буквой:", "The device is registered in system as:"},
        {W::Main, {caption("RefreshButton"), hint("RefreshButton")}, "Обновить список устройств",
            "Update the list of devices"},
        {W::Main, {caption("Label27")},
            "Установить текущую системную дату и время:", "Set the current system date and time:"},
        {W::Main, {caption("Label1")}, "Сегодня:", "Today:"},
        {W::Main, {caption("Label2"), caption("Label11")}, "Дата:", "Date:"},
        {W::Main, {caption("Label4"), caption("Label13")}, "Время:", "Time:"},
        {W::Main, {caption("Label28")}, "Установить другую дату и время", "Set other date and time:"},
        {W::Main, {caption("Label10")},
            "Выбранное значение даты и времени для установки:", "Chosen date and time for installation:"},
        {W::Main, {caption("SetButton")}, "УСТАНОВИТЬ ВЫБРАННУЮ ДАТУ И ВРЕМЯ", "SET CHOSEN DATE AND TIME"},
        {W::Main, {hint("SetButton")}, "Установить выбранную дату и время", "SET CHOSEN DATE AND TIME"},
        {W::Main, {item("ComboBox4", 0)}, "ДА", "YES"},
        {W::Main, {item("ComboBox4", 1)}, "НЕТ", "NO"},

        {W::Settings, {caption("ExitButton"), hint("ExitButton")}, "Выход", "Exit"},
        {W::Settings, {hint("AboutButton")}, "О программе", "About"},
        {W::Settings, {caption("SaveButton"), hint("SaveButton")}, "Сохранить пользовательские настройки",
            "Save user settings"},
        {W::Settings, {caption("RestoreButton"), hint("RestoreButton")}, "Восстановить настройки по умолчанию",
            "Restore settings by default"},
        {W::Settings, {caption("Label1")},
            "Настройки файла формата даты и времени:", "Settings of the file of a format of date and time:"},
        {W::Settings, {caption("Label7")}, "Тип миникамеры:", "Type of Zentrik:"},
        {W::Settings, {caption("Label4")}, "Имя файла:", "File name:"},
        {W::Settings, {caption("Label2")}, R"(* - расширение файла ".txt")", R"(* - file extension ".txt")"},
        {W::Settings, {caption("Label5")}, "Символ-разделитель в значениях даты:", "Symbol divider in values of date:"},
        {W::Settings, {caption("Label6")},
            "Символ-разделитель в значениях времени:", "Symbol divider in values of time:"},
        {W::Settings, {caption("Label3")},
            "Символ-разделитель между значениями даты и времени:", "Symbol divider between values of date and time:"},
        {W::Settings, {caption("Label8")}, "Наличие метки времени:", "Existence of a tag of time:"},
        {W::Settings, {caption("Label9")}, "Образец содержания файла формата даты и времени:",
            "Sample of the contents of the file of a format of date and time:"},
        {W::Settings, {item("TagList", 0)}, R"("Y" - Есть)", R"("Y" - Yes)"},
        {W::Settings, {item("TagList", 1)}, R"("N" - Нет)", R"("N" - No)"},
        {W::Settings, {item("DateSeparatorList", 0), item("TimeSeparatorList", 0), item("DateTimeSeparatorList", 0)},
            "НЕТ (Слитно)", "NO (Conjoint)"},
        {W::Settings, {item("DateSeparatorList", 1), item("TimeSeparatorList", 2)}, R"("." - Точка)", R"("." - Point)"},
        {W::Settings, {item("DateSeparatorList", 2)}, R"("-" - Тире)", R"("-" - Dash)"},
        {W::Settings, {item("DateSeparatorList", 3)}, R"("/" - Дробь)", R"("/" - Ratio)"},
        {W::Settings, {item("TimeSeparatorList", 1)}, R"(":" - Двоеточие)", R"(":" - Colon)"},
        {W::Settings, {item("DateTimeSeparatorList", 1)}, R"(" " - Пробел)", R"(" " - Gap)"},

        {W::About, {caption("Label4")}, "По всем вопросам звоните:", "For any questions you may call:"},
        {W::About, {caption("Label6")},
            "Горячая линия по покупке минивидеокамер:", "The hot line for purchase of minivideo cameras:"},
        {W::About, {caption("Label8")}, "Для ВСЕХ регионов России звонок БЕСПЛАТНЫЙ!",
            "For ALL regions of Russia call FREE!"},
        {W::About, {caption("Label12")}, maker::kWeekdayHours, "Weekdays: 9:00 to 19:00 (Moscow time)"},
        {W::About, {caption("Label13")}, maker::kWeekendHours, "Weekends: 10:00 to 16:00 (Moscow time)"},
        {W::About, {caption("Label14")}, "Книга жалоб и предложений:", "Complaints book and of offers"},
        {W::About, {caption("Label2")}, authorLine(maker::kAuthorLine), authorLine(kEnglishAuthorLine)},

        {W::SetDone, {caption("Label1")}, "Дата и время успешно установлены", "Date and time it is successful set"},
        {W::UserSaved, {caption("Label1")},
            "Пользовательские параметры настройки для ВСЕХ минивидео камер успешно сохранены",
            "User settings for ALL minivideo cameras are successfully kept"},
        {W::DefaultsSaved, {caption("Label1")},
            "Параметры настройки по умолчанию для ВСЕХ минивидео камер успешно сохранены",
            "Settings by default for ALL minivideo cameras are successfully kept"},
        {W::SetDone, {caption("ExitButton"), hint("ExitButton")}, "Выход", "Exit"},
        {W::UserSaved, {caption("ExitButton"), hint("ExitButton")}, "Выход", "Exit"},
        {W::DefaultsSaved, {caption("ExitButton"), hint("ExitButton")}, "Выход", "Exit"},

        // What the program adds to its windows: the eject after a set (hidden in the other two
        // confirmations, which share the form), the lead and the owner's own formats.
        {W::SetDone, {caption("EjectButton")}, "Извлечь", "Eject"},
        {W::UserSaved, {caption("EjectButton")}, "Извлечь", "Eject"},
        {W::DefaultsSaved, {caption("EjectButton")}, "Извлечь", "Eject"},
        {W::SetDone, {hint("EjectButton")}, "Безопасно извлечь карту камеры", "Safely remove the camera's card"},
        {W::UserSaved, {hint("EjectButton")}, "Безопасно извлечь карту камеры", "Safely remove the camera's card"},
        {W::DefaultsSaved, {hint("EjectButton")}, "Безопасно извлечь карту камеры", "Safely remove the camera's card"},
        {W::Settings, {caption("LeadLabel")}, "Опережение, с:", "Lead, s:"},
        {W::Settings, {hint("LeadLabel"), hint("LeadSpin")},
            "Сколько секунд пройдёт от нажатия кнопки до включения камеры",
            "Seconds from pressing the button to switching the camera on"},
        {W::Settings, {caption("OwnFormatsButton")}, "Свои форматы…", "Own formats…"},
        {W::Settings, {hint("OwnFormatsButton")}, "Форматы файла времени для других камер",
            "Time-file formats for other cameras"},
    };
    return table;
}

// A text that both languages show alike, with the value it must have.
struct Kept {
    Window window;
    QString place;
    QString text;
};

std::vector<Kept> keptTexts()
{
    using W = Window;
    const QString web = QLatin1String(maker::kWebAddress);
    std::vector<Kept> kept = {
        {W::Main, hint("Image12"), web},
        {W::Settings, hint("Image1"), web},
        {W::Settings, item("DateTimeSeparatorList", 2), QStringLiteral("ENTER")},
        {W::About, hint("Image12"), web},
        {W::About, caption("Label1"), web},
        {W::About, hint("Label1"), web},
        {W::About, caption("Label3"), QLatin1String(maker::kInfoMail)},
        {W::About, hint("Label3"), QLatin1String(maker::kInfoMail)},
        {W::About, caption("Label5"), QLatin1String(maker::kTelephones)},
        {W::About, caption("Label7"), QLatin1String(maker::kHotLine)},
        {W::About, caption("Label15"), QLatin1String(maker::kComplaintsMail)},
        {W::About, hint("Label15"), QLatin1String(maker::kComplaintsMail)},
        {W::About, hint("Label2"), QLatin1String(maker::kAuthorMail)},
    };
    for (const Window window : kAllWindows)
        kept.push_back({window, kTitle, QLatin1String(kWindowCaption)});
    for (int m = 0; m < kModelCount; ++m) {
        const QString name = QString::fromLatin1(modelName(m).data(), static_cast<qsizetype>(modelName(m).size()));
        kept.push_back({W::Main, item("ComboBox3", m), name});
        kept.push_back({W::Settings, item("ModelList", m), name});
    }
    return kept;
}

void addNonRussianIds()
{
    QTest::addColumn<int>("languageId");
    QTest::newRow("English (US)") << 1033;
    QTest::newRow("Russian (Moldova)") << 2073;
    QTest::newRow("Russian without a classic id") << 4096;
}

} // namespace

class LanguageTest : public QObject {
    Q_OBJECT

private slots:
    void theRussianIdKeepsTheDesignedTexts();
    void otherIdsReplaceExactlyTheListedTexts_data() { addNonRussianIds(); }
    void otherIdsReplaceExactlyTheListedTexts();
    void captionsNamesAndAddressesStayInBothLanguages_data();
    void captionsNamesAndAddressesStayInBothLanguages();
    void bothLanguagesStoreTheSameCodesAndWriteTheSameFiles();
    void theCompiledEnglishTableHoldsEveryTextAndNothingElse();
};

void LanguageTest::theRussianIdKeepsTheDesignedTexts()
{
    const GuiHarness gui(1049);
    const TextSnapshot texts = snapshotOf(gui);
    for (const Translated& text : translatedTexts())
        for (const QString& place : text.places)
            QCOMPARE(textAt(texts, keyOf(text.window, place)), text.russian);
}

void LanguageTest::otherIdsReplaceExactlyTheListedTexts()
{
    QFETCH(int, languageId);
    const GuiHarness russian(1049);
    const GuiHarness other(static_cast<std::uint16_t>(languageId));
    const TextSnapshot russianTexts = snapshotOf(russian);
    const TextSnapshot otherTexts = snapshotOf(other);

    QStringList listed;
    for (const Translated& text : translatedTexts())
        for (const QString& place : text.places) {
            const QString key = keyOf(text.window, place);
            QCOMPARE(textAt(otherTexts, key), text.english);
            listed << key;
        }
    // Every other text of the six windows is the same as in Russian.
    QCOMPARE(otherTexts.size(), russianTexts.size());
    QStringList changed;
    for (const auto& [key, text] : russianTexts)
        if (textAt(otherTexts, key) != text)
            changed << key;
    listed.sort();
    listed.removeDuplicates();
    QCOMPARE(changed, listed);
}

void LanguageTest::captionsNamesAndAddressesStayInBothLanguages_data()
{
    QTest::addColumn<int>("languageId");
    QTest::newRow("Russian") << 1049;
    QTest::newRow("English (US)") << 1033;
    QTest::newRow("Russian (Moldova)") << 2073;
}

void LanguageTest::captionsNamesAndAddressesStayInBothLanguages()
{
    QFETCH(int, languageId);
    GuiHarness gui(static_cast<std::uint16_t>(languageId));
    gui.tick();
    const TextSnapshot texts = snapshotOf(gui);
    for (const Kept& kept : keptTexts())
        QCOMPARE(textAt(texts, keyOf(kept.window, kept.place)), kept.text);
    // The sample is the composed line itself, whatever the language.
    QCOMPARE(textAt(texts, keyOf(Window::Settings, caption("Label10"))),
        QString::fromLocal8Bit(gui.context.values.timeFileText));
}

// Every choice of every list, made in both languages by position, must give the same profile, the
// same line, and in the end the same time file and settings file.
void LanguageTest::bothLanguagesStoreTheSameCodesAndWriteTheSameFiles()
{
    struct Choice {
        Window window;
        const char* list;
        int rows;
        std::string CameraProfile::*code;
    };
    const Choice choices[] = {
        {Window::Settings, "DateSeparatorList", 4, &CameraProfile::DateSeparatorCode},
        {Window::Settings, "TimeSeparatorList", 3, &CameraProfile::TimeSeparatorCode},
        {Window::Settings, "DateTimeSeparatorList", 3, &CameraProfile::DateTimeSeparatorCode},
        {Window::Settings, "TagList", 2, &CameraProfile::TimeStampCode},
        {Window::Main, "ComboBox4", 2, &CameraProfile::TimeStampCode},
    };
    constexpr ModelIndex kQ5 = 5;
    GuiHarness russian(1049);
    GuiHarness english(1033);
    for (GuiHarness* gui : {&russian, &english}) {
        std::filesystem::create_directory(gui->folder.file("card"));
        gui->probe.plug(gui->folder.file("card") + "/", "CARD");
        choose(gui->find<QComboBox>(windowOf(*gui, Window::Settings), "ModelList"), kQ5);
    }
    for (const Choice& choice : choices)
        for (int row = 0; row < choice.rows; ++row) {
            for (GuiHarness* gui : {&russian, &english}) {
                choose(gui->find<QComboBox>(windowOf(*gui, choice.window), choice.list), row);
                gui->tick();
            }
            const QByteArray what = QByteArray(choice.list) + " row " + QByteArray::number(row);
            QVERIFY2(profileOf(english.context.values.profileTable, kQ5).*choice.code == std::to_string(row),
                what.constData());
            QVERIFY2(english.context.values.profileTable == russian.context.values.profileTable, what.constData());
            QVERIFY2(english.context.values.timeFileText == russian.context.values.timeFileText, what.constData());
        }

    for (GuiHarness* gui : {&russian, &english}) {
        closingModals([gui] { gui->find<QPushButton>(windowOf(*gui, Window::Main), "SetButton")->click(); });
        closingModals([gui] { gui->find<QPushButton>(windowOf(*gui, Window::Settings), "SaveButton")->click(); });
    }
    const std::string timeFile = readBytes(english.folder.file("card/TIMERSET.txt"));
    QVERIFY(!timeFile.empty());
    QCOMPARE(timeFile, readBytes(russian.folder.file("card/TIMERSET.txt")));
    QCOMPARE(readBytes(english.settingsPath()), readBytes(russian.settingsPath()));
}

// The table as the build compiled it, apart from the windows: every listed Russian text has its
// English form, and the texts that must never change have none.
void LanguageTest::theCompiledEnglishTableHoldsEveryTextAndNothingElse()
{
    QTranslator table;
    QVERIFY(table.load(QStringLiteral(":/i18n/zentrik_en.qm")));
    // The forms' contexts and the windows' own.
    const char* const contexts[] = {
        "TForm1", "TForm3", "TForm4", "ConfirmationWindow", "zv::TForm2", "zv::TForm3", "zv::TForm5", "zv::TForm6"};
    const auto englishOf = [&](const QString& russian) {
        QStringList found;
        for (const char* context : contexts) {
            const QString english = table.translate(context, russian.toUtf8().constData());
            if (!english.isEmpty())
                found << english;
        }
        found.removeDuplicates();
        return found;
    };
    for (const Translated& text : translatedTexts()) {
        // The author line is composed around the address; the table holds its pattern.
        const bool authorLine = text.window == Window::About && text.places.contains(caption("Label2"));
        if (authorLine)
            QCOMPARE(englishOf(QString::fromUtf8(maker::kAuthorLine)), QStringList{kEnglishAuthorLine});
        else
            QCOMPARE(englishOf(text.russian), QStringList{text.english});
    }
    for (const Kept& kept : keptTexts())
        QCOMPARE(englishOf(kept.text), QStringList{});
    QCOMPARE(englishOf(QStringLiteral("Ошибка обращения к файлу")), QStringList{});
}

QTEST_MAIN(LanguageTest)
#include "LanguageTest.moc"
