#include "profiles/OwnFormatSet.h"

namespace zv {

void OwnFormatSet::assign(std::vector<OwnFormat> formats)
{
    formats_ = std::move(formats);
    parsed_.clear();
    for (const OwnFormat& format : formats_)
        parsed_.push_back(TimeTemplate::parse(format.templateText).parsed);
    stampRows_.assign(formats_.size(), 0);
    ++revision_;
}

void OwnFormatSet::setStampRow(std::size_t k, int row)
{
    if (k < stampRows_.size() && stampRows_[k] != row) {
        stampRows_[k] = row;
        ++revision_;
    }
}

} // namespace zv
