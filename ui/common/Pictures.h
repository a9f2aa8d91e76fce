#pragma once

#include "profiles/CameraModels.h"

#include <QIcon>
#include <QPixmap>

#include <array>

namespace zv {

// Every picture of the windows, rendered from its drawing once at start at the size it is
// shown and the screen's pixel ratio, so ticks never render and pictures stay sharp.
class Pictures final {
public:
    Pictures();

    [[nodiscard]] const QPixmap& camera(ModelIndex m) const { return cameras_[static_cast<std::size_t>(m)]; }
    [[nodiscard]] const QPixmap& lampOff() const { return lampOff_; }
    [[nodiscard]] const QPixmap& lampOn() const { return lampOn_; }
    [[nodiscard]] const QPixmap& banner() const { return banner_; }
    [[nodiscard]] const QPixmap& information() const { return information_; }
    [[nodiscard]] const QIcon& applicationIcon() const { return applicationIcon_; }

private:
    std::array<QPixmap, kModelCount> cameras_;
    QPixmap lampOff_;
    QPixmap lampOn_;
    QPixmap banner_;
    QPixmap information_;
    QIcon applicationIcon_;
};

} // namespace zv
