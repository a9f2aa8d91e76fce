#pragma once

#include <QDialog>

#include <memory>

namespace Ui {
class TForm3;
}

namespace zv {

struct AppContext;

// The About window: the maker's addresses, numbers and hours, and the author. The banner,
// the web address, the two mail lines and the author line open their targets; nothing else
// reacts to a click.
class TForm3 final : public QDialog {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TForm3)

public:
    explicit TForm3(AppContext& context);
    ~TForm3() override;

    // Turns the window's texts English; called once, at creation, for a non-Russian user.
    void English_LANG_Form3();
    void showModally();

private:
    void fillMakerDetails();
    void makeOpener(QWidget* widget, const QString& target);

    AppContext& context_;
    std::unique_ptr<Ui::TForm3> ui_;
};

} // namespace zv
