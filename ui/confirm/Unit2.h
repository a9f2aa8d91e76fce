#pragma once

#include "ui/common/Seams.h"
#include "ui/confirm/ConfirmationWindow.h"

#include <string>
#include <thread>

namespace zv {

// The set confirmation: the time file is on the card. Its eject button takes the card out of the
// system, so the camera can be unplugged at once.
class TForm2 final : public ConfirmationWindow {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TForm2)

public:
    explicit TForm2(AppContext& context);

    // Turns the window's texts English; called once, at creation, for a non-Russian user.
    void English_LANG_Form2();

    // Shows the confirmation of a set on the card at `root`, modally; returns once it is closed.
    void showAfterSet(const std::string& root);

signals:
    // Right before the card at `root` is ejected: whatever still looks at it must let it go.
    void ejecting(const std::string& root);

private:
    void EjectButtonClick();
    void ejected(const CardEjector::Result& result);
    [[nodiscard]] QString text(const char* source) const;

    std::string root_;
    std::jthread eject_; // joined before the window goes, so its answer never finds it gone
};

} // namespace zv
