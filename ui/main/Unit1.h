#pragma once

#include "drives/RemovableDriveList.h"
#include "profiles/CameraModels.h"
#include "ui/main/CameraPictureSet.h"
#include "ui/main/StatusLights.h"

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

    void Foto();
    void UpdateFDD();
    void English_LANG_Form1();

    [[nodiscard]] StatusLights& lights() { return lights_; }
    [[nodiscard]] LampStrip unlitLamps() const;
    [[nodiscard]] LampStrip litLamps() const;

    // The timers' work, reachable so tests can step time by hand.
    void Timer1Timer();
    void Timer2Timer();

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

    AppContext& context_;
    std::unique_ptr<Ui::TForm1> ui_;
    CameraPictureSet cameraPictures_;
    RemovableDriveList drives_;
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
