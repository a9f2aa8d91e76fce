#pragma once

#include "ui/confirm/ConfirmationWindow.h"

namespace zv {

// The saved-settings confirmation: every model's profile is in the settings file.
class TForm5 final : public ConfirmationWindow {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TForm5)

public:
    explicit TForm5(AppContext& context);

    // Turns the window's texts English; called once, at creation, for a non-Russian user.
    void English_LANG_Form5();

protected:
    // The wheel over this window does nothing.
    void wheelEvent(QWheelEvent* event) override;
};

} // namespace zv
