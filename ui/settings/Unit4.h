#pragma once

#include "profiles/CameraModels.h"
#include "profiles/OwnFormat.h"
#include "settings/SettingsFile.h"
#include "ui/common/CameraPictureSet.h"
#include "ui/common/StatusLights.h"

#include <QWidget>

#include <array>
#include <memory>
#include <string>
#include <vector>

class QLabel;

namespace Ui {
class TForm4;
}

namespace zv {

struct AppContext;

// The settings window: edits the chosen model's profile in memory with a live sample, and
// saves the profiles or restores the defaults. The main window keeps it in step: the same
// model, the same time-stamp choice, the same lamps and picture.
class TForm4 final : public QWidget {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TForm4)

public:
    explicit TForm4(AppContext& context);
    ~TForm4() override;

    // "Filling the parameters": shows the chosen model's profile in the controls, sets both
    // time-stamp choices from it and composes the sample.
    void ZapolnenieParametrov();
    // "Picture change": a model chosen here; couples the model and time-stamp choices of both
    // windows and shows the model's picture.
    void FotoChange();
    // Turns the window's texts English; called once, at creation, for a non-Russian user.
    void English_LANG_Form4();

    // What the main window calls on its ticks and changes.
    void showSample();
    void showCameraPicture(ModelIndex m);
    void setTagRow(int row);
    [[nodiscard]] int tagRow() const;
    void followMainWindowModel(ModelIndex m, bool tagged, int timeStampRow);
    // The settings button: shown if hidden, and brought to the front.
    void bringForward();
    // The owner's edited own formats: kept in their file beside Zentrik.ini and shown in the
    // model list. False, having said why, when the file could not be written.
    bool keepOwnFormats(std::vector<OwnFormat> formats);
    [[nodiscard]] const std::vector<OwnFormat>& ownFormats() const;
    [[nodiscard]] LampStrip unlitLamps() const;
    [[nodiscard]] LampStrip litLamps() const;

signals:
    // What the main window follows. The window set connects them to it once both exist.
    void modelChosen(zv::ModelIndex m, bool tagged, int tagRow); // FotoChange
    void tagRowChanged(int row); // the main window's time-stamp choice takes the same row
    // The other windows this one opens.
    void aboutAsked();
    void userSettingsSaved(); // the profiles are in the settings file
    void defaultsSaved(); // the defaults are in the settings file
    void ownFormatsAsked(); // the owner wants to edit the own formats
    void ownFormatsChanged(); // the own formats changed: every model list follows

private:
    void FormCreate();
    void connectControls();
    void setTagEnabled(bool enabled);
    [[nodiscard]] ModelIndex model() const;

    void ModelListChange(int row);
    void FileNameEditChange(const QString& text);
    void TagListChange(int row);
    void SaveButtonClick();
    void RestoreButtonClick();
    void AboutButtonClick();
    void Image1Click();
    // Tells the user why the settings file could not be used; true when it could.
    bool settingsFileUsable(const SettingsStatus& status);

    void LeadSpinChange(int seconds);
    void loadOwnFormats();
    void showOwnFormats();
    // The file name and separators belong to the ten; an own format has its own in its template.
    void setProfileControlsEnabled(bool enabled);
    // Keeps the program's own options beside Zentrik.ini; true when they are kept.
    bool saveOptions();

    AppContext& context_;
    std::unique_ptr<Ui::TForm4> ui_;
    CameraPictureSet cameraPictures_;
    SettingsFile settingsFile_;
    std::string optionsPath_; // Zentrik-options.ini beside it; empty where there is no place
    std::string formatsPath_; // Zentrik-formats.ini beside it; empty where there is no place
    std::string shownSample_;
};

} // namespace zv
