#pragma once

#include "ui/common/WindowLook.h"

#include <QDialog>

#include <memory>

class QPushButton;

namespace Ui {
class ConfirmationWindow;
}

namespace zv {

struct AppContext;

enum class MessageHeight {
    OneLine, // a short message on one line
    TwoLines, // a longer message that wraps, in the taller place the form gives it
    ThreeLines, // the longest, higher up again
};

// How a confirmation window sits and what its title bar offers.
struct ConfirmationLook {
    MessageHeight height = MessageHeight::OneLine;
    Centring centring = Centring::OnScreen;
    TitleButtons titleButtons = TitleButtons::CloseOnly;
};

// The look and behaviour the three confirmations share: an information sign, one message,
// an exit button, shown modally and only hidden when closed.
class ConfirmationWindow : public QDialog {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(ConfirmationWindow)

public:
    ~ConfirmationWindow() override;

    // Shows the window modally, centred, and returns once it is closed.
    void showModally();

protected:
    ConfirmationWindow(AppContext& context, const ConfirmationLook& look);

    void setMessage(const QString& text);
    // Each window's language test: retranslates the shared form and the window's message.
    void translate(const QString& message);
    // The second button beside the exit button, hidden unless a window shows it.
    [[nodiscard]] QPushButton* secondButton() const;
    [[nodiscard]] QPushButton* exitButton() const;

    [[nodiscard]] AppContext& context() const { return context_; }

private:
    AppContext& context_;
    std::unique_ptr<Ui::ConfirmationWindow> ui_;
    Centring centring_;
};

} // namespace zv
