#pragma once

#include "profiles/CameraModels.h"
#include "ui/common/PictureFiles.h"

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

    // The picture of model `m`; from kModelCount on, of any camera (for the own formats).
    [[nodiscard]] const QPixmap& camera(ModelIndex m) const;
    [[nodiscard]] const QPixmap& lampOff() const { return lampOff_; }
    [[nodiscard]] const QPixmap& lampOn() const { return lampOn_; }
    [[nodiscard]] const QPixmap& banner() const { return banner_; }
    [[nodiscard]] const QPixmap& information() const { return information_; }
    [[nodiscard]] const QIcon& applicationIcon() const { return applicationIcon_; }

    // Gives the window's buttons their glyphs at the screen's pixel ratio (from the @2x file
    // above 100 %, fitted where there is no file for the ratio). The forms name no glyph: Qt
    // loading one from a form asks every image format plugin first, which loads them all.
    void giveButtonsTheirGlyphs(QWidget* window) const;

private:
    qreal ratio_;
    mutable std::array<QPixmap, kModelCount + 1> cameras_; // the ten, then any camera
    QPixmap lampOff_;
    QPixmap lampOn_;
    QPixmap banner_;
    QPixmap information_;
    QIcon applicationIcon_;
    std::array<QIcon, pictures::kGlyphs.size()> glyphs_;
};

} // namespace zv
