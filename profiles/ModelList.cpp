#include "profiles/ModelList.h"

#include <algorithm>

namespace zv {

int modelListSize(const SharedValues& values) { return kModelCount + static_cast<int>(values.ownFormats.size()); }

bool isListedModel(const SharedValues& values, ModelIndex m) { return m >= 0 && m < modelListSize(values); }

std::string modelListName(const SharedValues& values, ModelIndex m)
{
    if (isModel(m))
        return std::string(modelName(m));
    return isListedModel(values, m) ? values.ownFormats.format(ownFormatOf(m)).name : std::string();
}

ModelIndex modelListRow(const SharedValues& values, const std::string& name)
{
    for (ModelIndex m = 0; m < modelListSize(values); ++m) {
        if (sameOwnFormatName(modelListName(values, m), name))
            return m;
    }
    return kNoModel;
}

bool hasTimeStamp(const SharedValues& values, ModelIndex m)
{
    if (isModel(m))
        return HasTimeStampTag(m);
    return isListedModel(values, m) && values.ownFormats.usesStamp(ownFormatOf(m));
}

} // namespace zv
