#pragma once

#include "profiles/CameraModels.h"

#include <QIcon>
#include <QPixmap>

#include <array>

class QWidget;

namespace zv {

// Every picture of the windows, loaded once at the size it is shown and the screen's pixel
// ratio, so ticks never load or scale and pictures stay sharp. All but the cameras load at start;
// a camera loads the first time it is asked for, since a start shows one model of ten.
class Pictures final {
public:
    Pictures();

    [[nodiscard]] const QPixmap& camera(ModelIndex m) const;
    [[nodiscard]] const QPixmap& lampOff() const { return lampOff_; }
    [[nodiscard]] const QPixmap& lampOn() const { return lampOn_; }
    [[nodiscard]] const QPixmap& banner() const { return banner_; }
    [[nodiscard]] const QPixmap& information() const { return information_; }
    [[nodiscard]] const QIcon& applicationIcon() const { return applicationIcon_; }

private:
    qreal ratio_;
    mutable std::array<QPixmap, kModelCount> cameras_;
    QPixmap lampOff_;
    QPixmap lampOn_;
    QPixmap banner_;
    QPixmap information_;
    QIcon applicationIcon_;
};

// Qt 6.4 draws a form's glyph at a screen ratio it has no file for (150 %, say) from the nearest
// file, often the 1x one blown up; this gives each of the window's buttons its glyph fitted from
// the @2x file instead. At 100 % and 200 % the forms' own glyphs stay.
void fitButtonGlyphs(QWidget* window);

} // namespace zv
