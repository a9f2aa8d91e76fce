#include "ui/main/CameraPictureSet.h"

#include "ui/common/Pictures.h"

#include <QLabel>

namespace zv {

void CameraPictureSet::attach(const Labels& labels, const Pictures& pictures)
{
    labels_ = labels;
    for (std::size_t m = 0; m < labels_.size(); ++m) {
        labels_[m]->setPixmap(pictures.camera(static_cast<ModelIndex>(m)));
        labels_[m]->hide();
    }
    shown_ = kNoModel;
}

void CameraPictureSet::show(ModelIndex m)
{
    if (m == shown_)
        return;
    if (isModel(shown_))
        labels_[static_cast<std::size_t>(shown_)]->hide();
    if (isModel(m))
        labels_[static_cast<std::size_t>(m)]->show();
    shown_ = m;
}

} // namespace zv
