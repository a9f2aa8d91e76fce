#include "ui/common/CameraPictureSet.h"

#include "ui/common/Pictures.h"

#include <QLabel>

#include <algorithm>

namespace zv {

void CameraPictureSet::attach(const Labels& labels, const Pictures& pictures)
{
    labels_ = labels;
    pictures_ = &pictures;
    pictured_ = {};
    for (QLabel* label : labels_)
        label->hide();
    shown_ = kNoModel;
}

namespace {

// The label of a model's picture; all own formats share the last.
std::size_t pictureOf(ModelIndex m) { return static_cast<std::size_t>(std::min(m, ModelIndex{kModelCount})); }

} // namespace

void CameraPictureSet::show(ModelIndex m)
{
    const ModelIndex shownBefore = shown_ < 0 ? kNoModel : static_cast<ModelIndex>(pictureOf(shown_));
    const ModelIndex wanted = m < 0 ? kNoModel : static_cast<ModelIndex>(pictureOf(m));
    shown_ = m;
    if (wanted == shownBefore)
        return;
    if (shownBefore >= 0)
        labels_[static_cast<std::size_t>(shownBefore)]->hide();
    if (wanted >= 0) {
        const auto index = static_cast<std::size_t>(wanted);
        if (!pictured_[index]) { // a start shows one camera of ten: the others load when chosen
            labels_[index]->setPixmap(pictures_->camera(wanted));
            pictured_[index] = true;
        }
        labels_[index]->show();
    }
}

} // namespace zv
