#include "profiles/DefaultProfiles.h"
#include "profiles/ChoiceLists.h"

#include <gtest/gtest.h>

namespace zv {
namespace {

TEST(DefaultProfiles, matchTheBuiltInTableFieldByField)
{
    const ProfileTable expected = {{
        {"MD80", "TAG", "2", "1", "1", "0", "1"},
        {"MD80SE", "time", "1", "1", "1", "0", "1"},
        {"G100", "time", "1", "1", "1", "0", "1"},
        {"G160", "time", "1", "1", "1", "0", "1"},
        {"DV-033", "time", "1", "2", "1", "0", "1"},
        {"Q5", "TIMERSET", "0", "0", "0", "0", "1"},
        {"Q6", "TIMERSET", "0", "0", "0", "0", "1"},
        {"Q7N", "TIMERSET", "0", "0", "0", "0", "1"},
        {"RS-101", "TIME", "2", "1", "1", "0", "1"},
        {"RS-301", "TIME", "1", "1", "1", "0", "1"},
    }};
    for (ModelIndex m = 0; m < kModelCount; ++m)
        EXPECT_EQ(profileOf(DefaultProfiles(), m), profileOf(expected, m)) << modelName(m);
}

TEST(DefaultProfiles, everyCodedFieldIsValidForItsList)
{
    for (const CameraProfile& profile : DefaultProfiles()) {
        for (std::size_t f = 0; f < kProfileFieldCount; ++f) {
            const auto field = static_cast<ProfileField>(f);
            if (const auto list = choiceListOf(field)) {
                EXPECT_TRUE(isValidCode(*list, fieldOf(profile, field))) << profile.ModelName << " field " << f;
            }
        }
    }
}

TEST(CameraModels, onlyFiveModelsCarryTheTimeStampTag)
{
    const std::array<bool, kModelCount> tagged = {false, false, false, false, true, true, true, true, false, true};
    for (ModelIndex m = 0; m < kModelCount; ++m)
        EXPECT_EQ(HasTimeStampTag(m), tagged[static_cast<std::size_t>(m)]) << modelName(m);
    EXPECT_FALSE(HasTimeStampTag(kNoModel));
    EXPECT_EQ(modelName(kNoModel), "");
    EXPECT_EQ(modelName(10), "");
}

} // namespace
} // namespace zv
