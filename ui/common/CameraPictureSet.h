#pragma once

#include "profiles/CameraModels.h"

#include <array>

class QLabel;

namespace zv {

class Pictures;

// A window's camera pictures, one per model and one for every own format, stacked in one
// place: showing a model's picture hides the one shown before, and showing the same model
// again touches nothing.
class CameraPictureSet final {
public:
    using Labels = std::array<QLabel*, kModelCount + 1>; // in model order, then any camera

    // Takes the labels and hides them all; each gets its picture when first shown.
    void attach(const Labels& labels, const Pictures& pictures);

    // Shows the picture of `m` (of any camera for an own format); no model shows none.
    void show(ModelIndex m);

private:
    Labels labels_{};
    const Pictures* pictures_ = nullptr;
    std::array<bool, kModelCount + 1> pictured_{};
    ModelIndex shown_ = kNoModel;
};

} // namespace zv
