#pragma once

#include "ui/confirm/ConfirmationWindow.h"

namespace zv {

// The restored-defaults confirmation: the built-in profiles are in the settings file.
class TForm6 final : public ConfirmationWindow {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TForm6)

public:
    explicit TForm6(AppContext& context);

    // Turns the window's texts English; called once, at creation, for a non-Russian user.
    void English_LANG_Form6();
};

} // namespace zv
