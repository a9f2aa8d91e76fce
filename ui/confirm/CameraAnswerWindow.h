#pragma once

#include "drives/SetCardRecords.h"
#include "ui/confirm/ConfirmationWindow.h"

namespace zv {

// The camera's answer for a card set before and plugged in again: it took the time, or it
// recorded since without reading the file. Looks like the confirmations.
class CameraAnswerWindow final : public ConfirmationWindow {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(CameraAnswerWindow)

public:
    explicit CameraAnswerWindow(AppContext& context);

    // Shows the answer modally; returns once it is closed.
    void showAnswer(CardVerdict verdict, const SetCardRecord& record);
};

} // namespace zv
