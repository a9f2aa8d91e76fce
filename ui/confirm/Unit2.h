#pragma once

#include "ui/confirm/ConfirmationWindow.h"

namespace zv {

// The set confirmation: the time file is on the card.
class TForm2 final : public ConfirmationWindow {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TForm2)

public:
    explicit TForm2(AppContext& context);

    // Turns the window's texts English; called once, at creation, for a non-Russian user.
    void English_LANG_Form2();
};

} // namespace zv
