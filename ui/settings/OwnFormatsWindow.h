#pragma once

#include "profiles/OwnFormat.h"

#include <QDialog>
#include <QTimer>

#include <cstddef>
#include <memory>
#include <optional>
#include <vector>

class QMenu;

namespace Ui {
class OwnFormatsWindow;
}

namespace zv {

struct AppContext;

// The window in which a camera owner keeps time-file formats of their own: a list of them, the
// chosen one's fields, the file it would write now, and what is wrong with it. It edits a copy
// and writes no file: whoever opened it keeps what it returns.
class OwnFormatsWindow final : public QDialog {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(OwnFormatsWindow)

public:
    explicit OwnFormatsWindow(AppContext& context);
    ~OwnFormatsWindow() override;

    // Shows `formats` modally. Returns the edited list when the owner saves it (only a valid
    // list can be saved), nullopt when the window is cancelled or closed.
    [[nodiscard]] std::optional<std::vector<OwnFormat>> edit(const std::vector<OwnFormat>& formats);

private:
    void buildForm();
    void connectControls();
    void buildAddMenu();
    void showList();
    void showChosen();
    // The sample, the problems, the list's marks and the buttons, after any change.
    void showState();
    void showSample();
    void showProblems();
    [[nodiscard]] QString problemsOf(std::size_t k) const;
    [[nodiscard]] QString text(const char* source) const;
    [[nodiscard]] OwnFormat* chosen();

    void FormatListChange(int row);
    void AddMenuChoice(std::size_t startingPoint);
    void RemoveButtonClick();
    void NameEditChange(const QString& name);
    void FileNameEditChange(const QString& fileName);
    void TemplateEditChange();
    void LineBreakListChange(int row);
    void BreakAfterLastBoxChange(bool checked);
    void SaveButtonClick();
    void SampleTimerTick();

    AppContext& context_;
    std::unique_ptr<Ui::OwnFormatsWindow> ui_; // from the first edit() on
    QMenu* addMenu_ = nullptr; // owned by the window
    QTimer sampleTimer_;
    std::vector<OwnFormat> formats_;
    // Set while the fields are filled from a format, so their change signals edit nothing.
    bool filling_ = false;
    qint64 sampleSecond_ = -1;
};

} // namespace zv
