#include "ui/settings/Unit4.h"

#include "profiles/DefaultProfiles.h"
#include "profiles/ModelList.h"
#include "settings/OwnFormatsFile.h"
#include "settings/ProgramOptions.h"
#include "settings/SettingsLocation.h"
#include "ui/about/MakerDetails.h"
#include "ui/common/AppContext.h"
#include "ui/common/ChangeOnly.h"
#include "ui/common/ClickFilter.h"
#include "ui/common/EnglishTexts.h"
#include "ui/common/ErrorBox.h"
#include "ui/common/StoredText.h"
#include "ui/common/WindowLook.h"
#include "ui_Unit4.h"

#include <QSpinBox>

namespace zv {

namespace {

constexpr char kOwnFormatsDamaged[] = QT_TRANSLATE_NOOP("zv::TForm4",
    "Файл своих форматов %1 повреждён: не прочитано записей — %2. Остальные форматы и настройки моделей на месте.");

constexpr char kNoSettingsFolder[] = QT_TRANSLATE_NOOP("zv::TForm4",
    "Папка для настроек не найдена: у пользователя нет домашней папки. Программа работает с "
    "настройками по умолчанию и не сможет их сохранить.");

// A stored code as a list row. Loading has checked every code, so anything else is row 0.
int rowOfCode(const std::string& code)
{
    return code.size() == 1 && code[0] >= '0' && code[0] <= '9' ? code[0] - '0' : 0;
}

} // namespace

TForm4::TForm4(AppContext& context)
    : context_(context),
      ui_(std::make_unique<Ui::TForm4>()),
      settingsFile_(context.seams.settingsPath),
      optionsPath_(besideSettingsFile(context.seams.settingsPath, kProgramOptionsFileName)),
      formatsPath_(besideSettingsFile(context.seams.settingsPath, kOwnFormatsFileName))
{
    ui_->setupUi(this);
    applyWindowLook(this, context_.pictures);
    ui_->Image1->setPixmap(context_.pictures.banner());
    ui_->Image1->setToolTip(QString::fromLatin1(maker::kWebAddress));
    cameraPictures_.attach({ui_->Image3, ui_->Image4, ui_->Image5, ui_->Image6, ui_->Image7, ui_->Image8, ui_->Image9,
                               ui_->Image10, ui_->Image11, ui_->Image26, ui_->ImageOwn},
        context_.pictures);
    connectControls();
    FormCreate();
}

TForm4::~TForm4() = default;

void TForm4::connectControls()
{
    connect(ui_->ModelList, &QComboBox::activated, this, &TForm4::ModelListChange);
    connect(ui_->FileNameEdit, &QLineEdit::textChanged, this, &TForm4::FileNameEditChange);
    connect(ui_->DateSeparatorList, &QComboBox::activated, this,
        [this](int row) { context_.composer.RazdDate(model(), row); });
    connect(ui_->TimeSeparatorList, &QComboBox::activated, this,
        [this](int row) { context_.composer.RazdTime(model(), row); });
    connect(ui_->DateTimeSeparatorList, &QComboBox::activated, this,
        [this](int row) { context_.composer.RazdDateTime(model(), row); });
    connect(ui_->TagList, &QComboBox::activated, this, &TForm4::TagListChange);
    connect(ui_->LeadSpin, &QSpinBox::valueChanged, this, &TForm4::LeadSpinChange);
    connect(ui_->OwnFormatsButton, &QPushButton::clicked, this, &TForm4::ownFormatsAsked);
    connect(ui_->SaveButton, &QPushButton::clicked, this, &TForm4::SaveButtonClick);
    connect(ui_->RestoreButton, &QPushButton::clicked, this, &TForm4::RestoreButtonClick);
    connect(ui_->ExitButton, &QPushButton::clicked, this, &QWidget::hide);
    connect(ui_->AboutButton, &QPushButton::clicked, this, &TForm4::AboutButtonClick);
    onClick(ui_->Image1, [this] { Image1Click(); });
}

// A settings file that cannot be written leaves the defaults in memory and the program
// running, so nothing the user does next is lost. Without a folder for it at all (no home
// folder), the user is told once and the program runs on the defaults.
void TForm4::FormCreate()
{
    if (context_.isEnglish())
        English_LANG_Form4();
    context_.values.profileTable = DefaultProfiles();
    if (settingsFile_.path().empty())
        showNotice(this, userText(context_.english, context_.isEnglish(), "zv::TForm4", kNoSettingsFolder));
    else if (!settingsFileUsable(settingsFile_.ReadINI(context_.values.profileTable)))
        context_.values.profileTable = DefaultProfiles();
    // Our own file: damaged or missing, it is the defaults, without a word.
    ui_->LeadSpin->setValue(optionsPath_.empty() ? 0 : loadProgramOptions(optionsPath_).leadSeconds);
    loadOwnFormats();
    // The sample keeps clear of the lead beside it; the ten's lines never come near.
    ui_->Label10->setContentsMargins(0, 0, ui_->Label10->geometry().right() - ui_->LeadLabel->x() + 4, 0);
    ZapolnenieParametrov();
    setTagEnabled(hasTimeStamp(context_.values, model()));
    showCameraPicture(model());
    ui_->ModelList->setFocus();
}

void TForm4::English_LANG_Form4()
{
    const EnglishTexts english(context_.english);
    ui_->retranslateUi(this);
}

ModelIndex TForm4::model() const { return ui_->ModelList->row(); }

LampStrip TForm4::unlitLamps() const
{
    return {ui_->LampOff1, ui_->LampOff2, ui_->LampOff3, ui_->LampOff4, ui_->LampOff5, ui_->LampOff6, ui_->LampOff7};
}

LampStrip TForm4::litLamps() const
{
    return {ui_->LampOn1, ui_->LampOn2, ui_->LampOn3, ui_->LampOn4, ui_->LampOn5, ui_->LampOn6, ui_->LampOn7};
}

void TForm4::ZapolnenieParametrov()
{
    const ModelIndex m = model();
    const SharedValues& values = context_.values;
    setProfileControlsEnabled(!isOwnFormat(m));
    if (isOwnFormat(m) && isListedModel(values, m)) {
        ui_->FileNameEdit->setText(QString::fromStdString(values.ownFormats.format(ownFormatOf(m)).fileName));
        const int tagRow = hasTimeStamp(values, m) ? values.ownFormats.stampRow(ownFormatOf(m)) : 0;
        setTagRow(tagRow);
        emit tagRowChanged(tagRow);
    }
    if (isModel(m)) {
        const CameraProfile& profile = profileOf(context_.values.profileTable, m);
        ui_->FileNameEdit->setText(shownText(profile.FileBaseName));
        // The edit reports only a changed text; the base name must follow the model either way.
        context_.composer.NameofFileAll(m, profile.FileBaseName);
        ui_->DateSeparatorList->select(rowOfCode(profile.DateSeparatorCode));
        ui_->TimeSeparatorList->select(rowOfCode(profile.TimeSeparatorCode));
        ui_->DateTimeSeparatorList->select(rowOfCode(profile.DateTimeSeparatorCode));
        const int tagRow = hasTimeStamp(values, m) ? rowOfCode(profile.TimeStampCode) : 0;
        setTagRow(tagRow);
        emit tagRowChanged(tagRow);
    }
    context_.composer.ObrazecZapolnenija(m);
    showSample();
}

void TForm4::FotoChange()
{
    const ModelIndex m = model();
    const bool tagged = hasTimeStamp(context_.values, m);
    setTagEnabled(tagged);
    if (!tagged)
        setTagRow(0);
    emit modelChosen(m, tagged, tagRow());
    showCameraPicture(m);
}

void TForm4::followMainWindowModel(ModelIndex m, bool tagged, int timeStampRow)
{
    ui_->ModelList->select(m);
    setTagEnabled(tagged);
    setTagRow(timeStampRow);
    ZapolnenieParametrov();
}

void TForm4::setTagEnabled(bool enabled)
{
    changeOnly::setEnabled(ui_->TagList, enabled);
    changeOnly::setEnabled(ui_->Label8, enabled);
}

void TForm4::setTagRow(int row) { ui_->TagList->select(row); }

int TForm4::tagRow() const { return ui_->TagList->row(); }

void TForm4::bringForward()
{
    show();
    raise();
    activateWindow();
}

void TForm4::showSample()
{
    const std::string& text = context_.values.timeFileText;
    if (text == shownSample_)
        return;
    shownSample_ = text;
    if (!isOwnFormat(model())) {
        ui_->Label10->setText(shownText(text));
        return;
    }
    // An own format's whole file, kept as UTF-8; the break after its last line shows as nothing.
    QString shown = QString::fromStdString(text);
    while (shown.endsWith(QLatin1Char('\n')) || shown.endsWith(QLatin1Char('\r')))
        shown.chop(1);
    ui_->Label10->setText(shown);
}

void TForm4::setProfileControlsEnabled(bool enabled)
{
    for (QWidget* control :
        std::initializer_list<QWidget*>{ui_->FileNameEdit, ui_->Label4, ui_->Label2, ui_->DateSeparatorList,
            ui_->Label5, ui_->TimeSeparatorList, ui_->Label6, ui_->DateTimeSeparatorList, ui_->Label3})
        changeOnly::setEnabled(control, enabled);
}

void TForm4::loadOwnFormats()
{
    if (formatsPath_.empty())
        return;
    OwnFormatsLoad loaded = ::zv::loadOwnFormats(formatsPath_);
    context_.values.ownFormats.assign(std::move(loaded.formats));
    showOwnFormats();
    // Our own file, damaged: said once; the ten's settings and every format that reads stay.
    if (!loaded.problems.empty() || loaded.error.failed()) {
        const std::size_t lost = loaded.error.failed() ? 1 : loaded.problems.size();
        showNotice(this,
            userText(context_.english, context_.isEnglish(), "zv::TForm4", kOwnFormatsDamaged)
                .arg(QString::fromStdString(formatsPath_))
                .arg(lost));
    }
}

void TForm4::showOwnFormats()
{
    QStringList names;
    for (const OwnFormat& format : context_.values.ownFormats.formats())
        names << QString::fromStdString(format.name);
    ui_->ModelList->setRowsAfter(kModelCount, names);
}

const std::vector<OwnFormat>& TForm4::ownFormats() const { return context_.values.ownFormats.formats(); }

bool TForm4::keepOwnFormats(std::vector<OwnFormat> formats)
{
    if (formatsPath_.empty() || !saveOwnFormats(formatsPath_, formats).ok()) {
        showSettingsFileError(this);
        return false;
    }
    context_.values.ownFormats.assign(std::move(formats));
    showOwnFormats();
    emit ownFormatsChanged();
    if (model() == kNoModel) // the format chosen is gone: the main window chooses again
        return true;
    ZapolnenieParametrov();
    return true;
}

void TForm4::showCameraPicture(ModelIndex m) { cameraPictures_.show(m); }

void TForm4::ModelListChange(int)
{
    FotoChange();
    ZapolnenieParametrov();
}

void TForm4::FileNameEditChange(const QString& text)
{
    const ModelIndex m = model();
    if (isModel(m)) {
        const std::string& stored = profileOf(context_.values.profileTable, m).FileBaseName;
        context_.composer.NameofFileAll(m, bytesToStore(text, stored));
    }
}

void TForm4::TagListChange(int row)
{
    emit tagRowChanged(row);
    context_.composer.Metka_Time(model(), row);
}

void TForm4::LeadSpinChange(int seconds) { context_.values.leadSeconds = seconds; }

bool TForm4::saveOptions()
{
    ProgramOptions options;
    options.leadSeconds = context_.values.leadSeconds;
    if (optionsPath_.empty() || saveProgramOptions(optionsPath_, options).failed()) {
        showSettingsFileError(this);
        return false;
    }
    return true;
}

void TForm4::SaveButtonClick()
{
    if (!settingsFileUsable(settingsFile_.saveUserSettings(context_.values.profileTable)) || !saveOptions())
        return;
    ZapolnenieParametrov();
    emit userSettingsSaved();
}

void TForm4::RestoreButtonClick()
{
    if (!settingsFileUsable(settingsFile_.NastrojkiDefaultWrite(context_.values.profileTable)))
        return;
    ui_->LeadSpin->setValue(ProgramOptions().leadSeconds);
    if (!saveOptions())
        return;
    ZapolnenieParametrov();
    emit defaultsSaved();
}

bool TForm4::settingsFileUsable(const SettingsStatus& status)
{
    switch (status.failure) {
    case SettingsStatus::Failure::None:
        return true;
    case SettingsStatus::Failure::CannotCreate:
    case SettingsStatus::Failure::CannotWrite:
        showSettingsFileError(this);
        return false;
    case SettingsStatus::Failure::CannotRead:
        break;
    }
    showErrorBox(this, QString::fromLocal8Bit(status.error.message));
    return false;
}

void TForm4::AboutButtonClick() { emit aboutAsked(); }

void TForm4::Image1Click() { context_.seams.opener.open(QUrl(QString::fromLatin1(maker::kWebAddress))); }

} // namespace zv
