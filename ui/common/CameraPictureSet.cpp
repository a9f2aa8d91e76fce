#include "ui/common/CameraPictureSet.h"

#include "ui/common/Pictures.h"

#include <QLabel>

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

void CameraPictureSet::show(ModelIndex m)
{
    if (m == shown_)
        return;
    if (isModel(shown_))
        labels_[static_cast<std::size_t>(shown_)]->hide();
    if (isModel(m)) {
        const auto index = static_cast<std::size_t>(m);
        if (!pictured_[index]) { // a start shows one camera of ten: the others load when chosen
            labels_[index]->setPixmap(pictures_->camera(m));
            pictured_[index] = true;
        }
        labels_[index]->show();
    }
    shown_ = m;
}

} // namespace zv
