#include "ui/settings/Unit4.h"

#include "profiles/DefaultProfiles.h"
#include "ui/about/MakerDetails.h"
#include "ui/common/AppContext.h"
#include "ui/common/ChangeOnly.h"
#include "ui/common/ClickFilter.h"
#include "ui/common/EnglishTexts.h"
#include "ui/common/ErrorBox.h"
#include "ui/common/StoredText.h"
#include "ui/common/WindowLook.h"
#include "ui_Unit4.h"

namespace zv {

namespace {

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
      settingsFile_(context.seams.settingsPath)
{
    ui_->setupUi(this);
    applyWindowLook(this, context_.pictures);
    ui_->Image1->setPixmap(context_.pictures.banner());
    ui_->Image1->setToolTip(QString::fromLatin1(maker::kWebAddress));
    cameraPictures_.attach({ui_->Image3, ui_->Image4, ui_->Image5, ui_->Image6, ui_->Image7, ui_->Image8, ui_->Image9,
                               ui_->Image10, ui_->Image11, ui_->Image26},
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
    ZapolnenieParametrov();
    setTagEnabled(HasTimeStampTag(model()));
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
    if (isModel(m)) {
        const CameraProfile& profile = profileOf(context_.values.profileTable, m);
        ui_->FileNameEdit->setText(shownText(profile.FileBaseName));
        // The edit reports only a changed text; the base name must follow the model either way.
        context_.composer.NameofFileAll(m, profile.FileBaseName);
        ui_->DateSeparatorList->select(rowOfCode(profile.DateSeparatorCode));
        ui_->TimeSeparatorList->select(rowOfCode(profile.TimeSeparatorCode));
        ui_->DateTimeSeparatorList->select(rowOfCode(profile.DateTimeSeparatorCode));
        const int tagRow = HasTimeStampTag(m) ? rowOfCode(profile.TimeStampCode) : 0;
        setTagRow(tagRow);
        emit tagRowChanged(tagRow);
    }
    context_.composer.ObrazecZapolnenija(m);
    showSample();
}

void TForm4::FotoChange()
{
    const ModelIndex m = model();
    const bool tagged = HasTimeStampTag(m);
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
    ui_->Label10->setText(shownText(text));
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

void TForm4::SaveButtonClick()
{
    if (!settingsFileUsable(settingsFile_.saveUserSettings(context_.values.profileTable)))
        return;
    ZapolnenieParametrov();
    emit userSettingsSaved();
}

void TForm4::RestoreButtonClick()
{
    if (!settingsFileUsable(settingsFile_.NastrojkiDefaultWrite(context_.values.profileTable)))
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
