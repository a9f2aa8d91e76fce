#include "ui/main/Unit1.h"

#include "common/StoredText.h"
#include "drives/TimeFileWriter.h"
#include "profiles/DateTimeParts.h"
#include "profiles/ModelList.h"
#include "ui/about/MakerDetails.h"
#include "ui/common/AppContext.h"
#include "ui/common/ChangeOnly.h"
#include "ui/common/ClickFilter.h"
#include "ui/common/DisplayFormats.h"
#include "ui/common/EnglishTexts.h"
#include "ui/common/ErrorBox.h"
#include "ui/common/StoredText.h"
#include "ui/common/WindowLook.h"
#include "ui_Unit1.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QDialog>

#include <algorithm>

namespace zv {

namespace {

constexpr char kNoCameraToSet[] =
    QT_TRANSLATE_NOOP("zv::TForm1", "Нет камеры: подключите камеру и выберите её в списке, чтобы установить время.");

} // namespace

TForm1::TForm1(AppContext& context)
    : context_(context),
      ui_(std::make_unique<Ui::TForm1>()),
      drives_(context.seams.driveProbe, context.values.saveDir),
      cardAnswers_(context.seams.driveProbe, context.seams.setCardsPath,
          [&clock = context.seams.clock] { return clock.currentSecsSinceEpoch(); }),
      lights_(context.pictures.lampOff(), context.pictures.lampOn())
{
    ui_->setupUi(this);
    applyWindowLook(this, context_.pictures);
    ui_->Image12->setPixmap(context_.pictures.banner());
    ui_->Image12->setToolTip(QString::fromLatin1(maker::kWebAddress));
    cameraPictures_.attach({ui_->CameraPicture0, ui_->CameraPicture1, ui_->CameraPicture2, ui_->CameraPicture3,
                               ui_->CameraPicture4, ui_->CameraPicture5, ui_->CameraPicture6, ui_->CameraPicture7,
                               ui_->CameraPicture8, ui_->CameraPicture9, ui_->CameraPictureOwn},
        context_.pictures);
    lights_.addStrip(unlitLamps(), litLamps());

    for (QTimer* timer : {&timer1_, &timer2_}) {
        timer->setInterval(1);
        timer->setTimerType(Qt::PreciseTimer);
    }
    connect(&timer1_, &QTimer::timeout, this, &TForm1::Timer1Timer);
    connect(&timer2_, &QTimer::timeout, this, &TForm1::Timer2Timer);
    connectControls();
    FormCreate();
    // They tick only once the event loop runs, when every window exists.
    timer1_.start();
    timer2_.start();
}

TForm1::~TForm1() = default;

void TForm1::connectControls()
{
    connect(ui_->CheckBox1, &QCheckBox::toggled, this, &TForm1::CheckBox1Click);
    connect(ui_->CheckBox2, &QCheckBox::toggled, this, &TForm1::CheckBox2Click);
    connect(ui_->ComboBox3, &QComboBox::activated, this, &TForm1::ComboBox3Change);
    connect(ui_->ComboBox4, &QComboBox::activated, this, &TForm1::ComboBox4Change);
    connect(ui_->ComboBox2, &QComboBox::activated, this, &TForm1::ComboBox2Change);
    connect(ui_->SetButton, &QPushButton::clicked, this, &TForm1::SetButtonClick);
    connect(ui_->RefreshButton, &QPushButton::clicked, this, &TForm1::RefreshButtonClick);
    connect(ui_->SettingsButton, &QPushButton::clicked, this, &TForm1::SettingsButtonClick);
    connect(ui_->AboutButton, &QPushButton::clicked, this, &TForm1::AboutButtonClick);
    onClick(ui_->Image12, [this] { Image12Click(); });
    connect(&cardAnswers_, &CardAnswers::answered, this, &TForm1::cameraAnswered);
    connect(&cardAnswers_, &CardAnswers::recognised, this, [this](const DriveEntry& drive) {
        if (const DriveEntry* chosen = chosenDrive(); chosen != nullptr && *chosen == drive)
            chooseAsLastSet(drive);
    });
}

void TForm1::FormCreate()
{
    if (context_.isEnglish())
        English_LANG_Form1();
    lights_.start();
    setTimeStampEnabled(hasTimeStamp(context_.values, modelRow()));
    const QDateTime now = context_.seams.clock.localTime(context_.seams.clock.currentSecsSinceEpoch());
    ui_->DateTimePicker1->setDate(now.date());
    ui_->CheckBox1->setChecked(true);
    CheckBox1Click(true); // the box may already be ticked in the form; the pickers follow either way
    drives_.buildAtCreation();
    showDrives();
    ui_->ComboBox3->setFocus(); // the keyboard starts where a user starts: the camera model
}

void TForm1::English_LANG_Form1()
{
    const EnglishTexts english(context_.english);
    ui_->retranslateUi(this);
}

ModelIndex TForm1::modelRow() const { return ui_->ComboBox3->row(); }

void TForm1::setModelRow(ModelIndex m) { ui_->ComboBox3->select(m); }

int TForm1::timeStampRow() const { return ui_->ComboBox4->row(); }

void TForm1::setTimeStampRow(int row) { ui_->ComboBox4->select(row); }

void TForm1::setTimeStampEnabled(bool enabled)
{
    for (QWidget* widget : {static_cast<QWidget*>(ui_->ComboBox4), static_cast<QWidget*>(ui_->Label24),
             static_cast<QWidget*>(ui_->Label34)})
        changeOnly::setEnabled(widget, enabled);
}

LampStrip TForm1::unlitLamps() const
{
    return {ui_->LampOff1, ui_->LampOff2, ui_->LampOff3, ui_->LampOff4, ui_->LampOff5, ui_->LampOff6, ui_->LampOff7};
}

LampStrip TForm1::litLamps() const
{
    return {ui_->LampOn1, ui_->LampOn2, ui_->LampOn3, ui_->LampOn4, ui_->LampOn5, ui_->LampOn6, ui_->LampOn7};
}

void TForm1::Timer1Timer()
{
    Clock& clock = context_.seams.clock;
    const qint64 second = clock.currentSecsSinceEpoch();
    if (second == clockSecond_)
        return;
    clockSecond_ = second;
    const QDateTime now = clock.localTime(second);
    changeOnly::setTextPair(ui_->Label44, ui_->Label3, shortDateText(now.date()));
    changeOnly::setTextPair(ui_->Label45, ui_->Label5, now.time().toString(QStringLiteral("HH:mm:ss")));
}

void TForm1::Timer2Timer()
{
    Foto();
    if (ui_->CheckBox1->isChecked())
        takeClockMoment();
    else
        takePickerMoment();
    context_.composer.ObrazecZapolnenija(modelRow());
    emit sampleComposed();
}

// Date and time come from one reading of the clock, so a tick across midnight never pairs
// the new date with the old day's time.
void TForm1::takeClockMoment()
{
    Clock& clock = context_.seams.clock;
    // The lead: the moment the camera is switched on, by the owner's reckoning.
    const qint64 second = clock.currentSecsSinceEpoch() + context_.values.leadSeconds;
    if (momentSource_ == MomentSource::Clock && second == chosenSecond_)
        return;
    momentSource_ = MomentSource::Clock;
    chosenSecond_ = second;
    const QDateTime moment = clock.localTime(second);
    const QDate date = moment.date();
    const QTime time = moment.time();
    context_.values.dateTimeParts.set(date.year(), date.month(), date.day(), time.hour(), time.minute(), time.second());
    showChosenMoment(date, time.toString(QStringLiteral("HH:mm:ss")));
}

void TForm1::takePickerMoment()
{
    const QDate date = ui_->DateTimePicker1->date();
    const QTime time = ui_->DateTimePicker2->time();
    if (momentSource_ == MomentSource::Pickers && date == chosenDate_ && time == chosenTime_)
        return;
    momentSource_ = MomentSource::Pickers;
    chosenDate_ = date;
    chosenTime_ = time;
    context_.values.dateTimeParts.set(date.year(), date.month(), date.day(), time.hour(), time.minute(), time.second());
    showChosenMoment(date, longTimeText(time));
}

void TForm1::showChosenMoment(const QDate& date, const QString& timeText)
{
    changeOnly::setTextPair(ui_->Label46, ui_->Label12, shortDateText(date));
    changeOnly::setTextPair(ui_->Label47, ui_->Label14, timeText);
}

void TForm1::Foto()
{
    if (drives_.poll())
        showDrives();
    const ModelIndex m = modelRow();
    if (!hasTimeStamp(context_.values, m)) {
        setTimeStampRow(0);
        emit stampRowChanged(0);
    }
    showCameraPicture(m);
}

void TForm1::showCameraPicture(ModelIndex m)
{
    cameraPictures_.show(m);
    emit cameraShown(m);
}

void TForm1::showDrives()
{
    QComboBox* list = ui_->ComboBox2;
    list->clear();
    for (const DriveEntry& entry : drives_.entries())
        list->addItem(shownName(entry.displayText));
    list->setCurrentIndex(drives_.selectedRow());
    showSetButtonState();
    cardAnswers_.drivesShown(drives_.entries());
    const DriveEntry* chosen = chosenDrive();
    if (chosen == nullptr || driveKey(*chosen) != lastSetChoiceFor_)
        lastSetChoiceFor_.clear(); // gone or another: when it comes back, its model is chosen again
    if (chosen != nullptr)
        chooseAsLastSet(*chosen);
}

const DriveEntry* TForm1::chosenDrive() const
{
    const int row = drives_.selectedRow();
    return row >= 0 ? &drives_.entries()[static_cast<std::size_t>(row)] : nullptr;
}

// Once per drive chosen: a model the owner picks afterwards stays picked.
void TForm1::chooseAsLastSet(const DriveEntry& drive)
{
    const SetCardRecord* record = cardAnswers_.recordOf(drive);
    const std::string choiceFor = driveKey(drive);
    if (record == nullptr || choiceFor == lastSetChoiceFor_)
        return;
    lastSetChoiceFor_ = choiceFor;
    const ModelIndex m = modelListRow(context_.values, record->modelKey);
    if (m == kNoModel)
        return; // an own format removed since
    if (m != modelRow()) {
        setModelRow(m);
        ComboBox3Change(m);
    }
    if (hasTimeStamp(context_.values, m) && record->timeStampRow != timeStampRow()) {
        setTimeStampRow(record->timeStampRow);
        ComboBox4Change(record->timeStampRow);
    }
}

void TForm1::releaseCard(const std::string& root) { cardAnswers_.release(root); }

// A screen reader tells why set cannot be pressed: there is no camera to set, or none chosen.
void TForm1::showSetButtonState()
{
    const bool enabled = drives_.setButtonEnabled();
    if (ui_->SetButton->isEnabled() == enabled && !ui_->SetButton->accessibleDescription().isEmpty() != enabled)
        return;
    changeOnly::setEnabled(ui_->SetButton, enabled);
    ui_->SetButton->setAccessibleDescription(
        enabled ? QString() : userText(context_.english, context_.isEnglish(), "zv::TForm1", kNoCameraToSet));
}

void TForm1::UpdateFDD()
{
    drives_.UpdateFDD();
    showDrives();
}

void TForm1::CheckBox1Click(bool checked)
{
    ui_->CheckBox2->setChecked(!checked);
    ui_->DateTimePicker1->setEnabled(!checked);
    ui_->DateTimePicker2->setEnabled(!checked);
}

void TForm1::CheckBox2Click(bool checked) { ui_->CheckBox1->setChecked(!checked); }

void TForm1::ComboBox3Change(int row)
{
    const bool tagged = hasTimeStamp(context_.values, row);
    setTimeStampEnabled(tagged);
    emit modelChosen(row, tagged, timeStampRow());
}

void TForm1::ComboBox4Change(int row)
{
    emit stampRowChanged(row);
    context_.composer.Metka_Time(modelRow(), row);
}

void TForm1::followSettingsModel(ModelIndex m, bool tagged, int tagRow)
{
    setModelRow(m);
    setTimeStampEnabled(tagged);
    setTimeStampRow(tagRow);
}

void TForm1::ComboBox2Change(int row)
{
    drives_.choose(row);
    showSetButtonState();
    if (const DriveEntry* chosen = chosenDrive())
        chooseAsLastSet(*chosen);
}

void TForm1::Image12Click() { context_.seams.opener.open(QUrl(QString::fromLatin1(maker::kWebAddress))); }

// A write that fails says why and sets nothing; only a file that is on the card is confirmed.
void TForm1::SetButtonClick()
{
    const SharedValues& values = context_.values;
    const ModelIndex m = modelRow();
    // The ten write their line and CR LF as <name>.txt; an own format its whole file, under its
    // own name, in the single-byte text the system writes.
    std::string fileName;
    std::string bytes;
    if (isOwnFormat(m) && isListedModel(values, m)) {
        fileName = values.ownFormats.format(ownFormatOf(m)).fileName;
        bytes = storedTextFromUtf8(values.timeFileText);
    } else {
        fileName = storedTextAsUtf8(values.timeFileBaseName) + ".txt";
        bytes = values.timeFileText + "\r\n";
    }
    const TimeFileResult result = isOwnFormat(m)
        ? writeCameraFile(values.saveDir, fileName, bytes, context_.seams.driveProbe)
        : writeTimeFile(values.saveDir, values.timeFileBaseName, values.timeFileText, context_.seams.driveProbe);
    if (!result.success) {
        showErrorBox(this, QString::fromLocal8Bit(result.text));
        return;
    }
    if (const DriveEntry* drive = chosenDrive(); drive != nullptr && drive->rootPath == values.saveDir) {
        cardAnswers_.remember(*drive, fileName, bytes, modelListName(values, m), timeStampRow());
        lastSetChoiceFor_ = driveKey(*drive);
    }
    emit setConfirmed(values.saveDir);
}

// The owner's own formats follow the ten; a format chosen that is gone leaves MD80 chosen.
void TForm1::showOwnFormats()
{
    QStringList names;
    for (const OwnFormat& format : context_.values.ownFormats.formats())
        names << QString::fromStdString(format.name);
    const ModelIndex before = modelRow();
    ui_->ComboBox3->setRowsAfter(kModelCount, names);
    if (modelRow() == kNoModel)
        setModelRow(0);
    // The chosen format moved up, went, or changed its use of the time stamp: both windows follow.
    if (modelRow() != before || isOwnFormat(modelRow()))
        ComboBox3Change(modelRow());
}

void TForm1::RefreshButtonClick() { UpdateFDD(); }

void TForm1::SettingsButtonClick() { emit settingsAsked(); }

void TForm1::AboutButtonClick() { emit aboutAsked(); }

// Closing the main window ends the program, whatever other window is open.
void TForm1::closeEvent(QCloseEvent* event)
{
    event->accept();
    QCoreApplication::quit();
}

} // namespace zv
