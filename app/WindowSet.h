#pragma once

#include "ui/about/Unit3.h"
#include "ui/confirm/CameraAnswerWindow.h"
#include "ui/confirm/Unit2.h"
#include "ui/confirm/Unit5.h"
#include "ui/confirm/Unit6.h"
#include "ui/main/Unit1.h"
#include "ui/settings/OwnFormatsWindow.h"
#include "ui/settings/Unit4.h"

namespace zv {

struct AppContext;

// The six windows, and the camera's answer and the own formats' window after them, built hidden in their fixed order
// and then connected to each other. A window is built with the context alone and reaches no other window while it is
// built, so no order of building can leave one unconnected: the only place windows meet is connectWindows(), which
// takes them all complete. They are destroyed together, in reverse order.
class WindowSet final {
public:
    explicit WindowSet(AppContext& context);
    WindowSet(const WindowSet&) = delete;
    WindowSet& operator=(const WindowSet&) = delete;

    [[nodiscard]] TForm1& main() { return form1_; }
    [[nodiscard]] TForm2& setConfirmation() { return form2_; }
    [[nodiscard]] TForm3& about() { return form3_; }
    [[nodiscard]] TForm4& settings() { return form4_; }
    [[nodiscard]] TForm5& userSettingsSaved() { return form5_; }
    [[nodiscard]] TForm6& defaultsSaved() { return form6_; }
    [[nodiscard]] CameraAnswerWindow& cameraAnswer() { return cameraAnswer_; }
    [[nodiscard]] OwnFormatsWindow& ownFormats() { return ownFormats_; }
    [[nodiscard]] const TForm1& main() const { return form1_; }
    [[nodiscard]] const TForm2& setConfirmation() const { return form2_; }
    [[nodiscard]] const TForm3& about() const { return form3_; }
    [[nodiscard]] const TForm4& settings() const { return form4_; }
    [[nodiscard]] const TForm5& userSettingsSaved() const { return form5_; }
    [[nodiscard]] const TForm6& defaultsSaved() const { return form6_; }

private:
    // In the order of building, which members follow.
    TForm1 form1_;
    TForm2 form2_;
    TForm3 form3_;
    TForm4 form4_;
    TForm5 form5_;
    TForm6 form6_;
    CameraAnswerWindow cameraAnswer_;
    OwnFormatsWindow ownFormats_;
};

// Connects what each window does to the windows that follow it or that it opens.
void connectWindows(TForm1& main, TForm2& setConfirmation, TForm3& about, TForm4& settings, TForm5& userSaved,
    TForm6& defaultsSaved, CameraAnswerWindow& cameraAnswer, OwnFormatsWindow& ownFormats);

} // namespace zv
