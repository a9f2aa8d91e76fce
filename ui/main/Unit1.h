#pragma once

#include "drives/RemovableDriveList.h"
#include "profiles/CameraModels.h"
#include "ui/common/CameraPictureSet.h"
#include "ui/common/StatusLights.h"
#include "ui/main/CardAnswers.h"

#include <QDate>
#include <QTime>
#include <QTimer>
#include <QWidget>

#include <array>
#include <memory>

class QLabel;

namespace Ui {
class TForm1;
}

namespace zv {

struct AppContext;

// The main window: the clock, the model, time-stamp and drive choices, the moment to write
// and the set button. Its two 1 ms timers drive the whole program, the settings window's
// sample and pictures included; its light chain runs both windows' lamps.
class TForm1 final : public QWidget {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TForm1)

public:
    explicit TForm1(AppContext& context);
    ~TForm1() override;

    // What the settings window sets and reads here.
    [[nodiscard]] ModelIndex modelRow() const;
    void setModelRow(ModelIndex m);
    [[nodiscard]] int timeStampRow() const;
    void setTimeStampRow(int row);
    void setTimeStampEnabled(bool enabled);
    // The settings window's model change (its FotoChange): the same model, the time-stamp
    // choice enabled as the model allows and on the settings window's row.
    void followSettingsModel(ModelIndex m, bool tagged, int tagRow);
    // The owner's own formats changed: the model list shows them after the ten.
    void showOwnFormats();

    // "Foto" (picture): the first step of every work tick. Polls the drives, holds the time-stamp
    // choice of models without a stamp on row 0 in both windows, shows the chosen model's picture.
    void Foto();
    // "Update FDD" (the removable drives): lists them anew; the refresh button and a changed count.
    void UpdateFDD();
    // Turns the window's texts English; called once, at creation, for a non-Russian user.
    void English_LANG_Form1();

    [[nodiscard]] StatusLights& lights() { return lights_; }
    [[nodiscard]] const CardAnswers& cardAnswers() const { return cardAnswers_; }
    [[nodiscard]] LampStrip unlitLamps() const;
    [[nodiscard]] LampStrip litLamps() const;

    // The timers' work, reachable so tests can step time by hand.
    void Timer1Timer();
    void Timer2Timer();

signals:
    // What the settings window follows. The window set connects them to it once both exist.
    void modelChosen(zv::ModelIndex m, bool tagged, int stampRow); // ComboBox3Change
    void stampRowChanged(int row); // the user's choice, or the hold on row 0 of untagged models
    void sampleComposed(); // each work tick, once TimeFileText is composed
    void cameraShown(zv::ModelIndex m); // the picture the work tick shows
    // The other windows this one opens.
    void setConfirmed(const std::string& root); // the time file is on the card at `root`
    void aboutAsked();
    void settingsAsked();
    void cameraAnswered(zv::CardVerdict verdict, const zv::SetCardRecord& record);

public:
    // Before the card at `root` is ejected: every look at it ends first.
    void releaseCard(const std::string& root);

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    enum class MomentSource { None, Clock, Pickers };

    void FormCreate();
    void connectControls();
    void CheckBox1Click(bool checked);
    void CheckBox2Click(bool checked);
    void ComboBox3Change(int row);
    void ComboBox4Change(int row);
    void ComboBox2Change(int row);
    void Image12Click();
    void SetButtonClick();
    void RefreshButtonClick();
    void SettingsButtonClick();
    void AboutButtonClick();

    void takeClockMoment();
    void takePickerMoment();
    void showChosenMoment(const QDate& date, const QString& timeText);
    void showDrives();
    void showCameraPicture(ModelIndex m);
    void showSetButtonState();
    // A card set before became the chosen drive: the model and time stamp it was set with.
    void chooseAsLastSet(const DriveEntry& drive);
    [[nodiscard]] const DriveEntry* chosenDrive() const;

    AppContext& context_;
    std::unique_ptr<Ui::TForm1> ui_;
    CameraPictureSet cameraPictures_;
    RemovableDriveList drives_;
    CardAnswers cardAnswers_;
    std::string lastSetChoiceFor_; // the drive whose remembered model was last chosen
    StatusLights lights_;
    QTimer timer1_;
    QTimer timer2_;

    qint64 clockSecond_ = -1; // the second the clock labels show
    MomentSource momentSource_ = MomentSource::None; // where DateTimeParts came from last
    qint64 chosenSecond_ = -1;
    QDate chosenDate_;
    QTime chosenTime_;
};

} // namespace zv
