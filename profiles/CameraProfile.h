#pragma once

#include "profiles/CameraModels.h"

#include <array>
#include <cstddef>
#include <string>

namespace zv {

// One model's time-file settings. Codes are one-digit texts, the position of the choice in
// its list; they stay text from the settings file through memory so both languages give
// the same files.
struct CameraProfile {
    std::string ModelName;
    std::string FileBaseName;
    std::string DateSeparatorCode;
    std::string TimeSeparatorCode;
    std::string DateTimeSeparatorCode;
    std::string TimeStampCode;
    std::string SpareFlagCode;

    friend bool operator==(const CameraProfile&, const CameraProfile&) = default;
};

// The fields in their fixed order, which is also the order of a model's lines in the settings file.
enum class ProfileField : std::size_t {
    ModelName,
    FileBaseName,
    DateSeparatorCode,
    TimeSeparatorCode,
    DateTimeSeparatorCode,
    TimeStampCode,
    SpareFlagCode,
};

inline constexpr std::size_t kProfileFieldCount = 7;

inline constexpr std::array<std::string CameraProfile::*, kProfileFieldCount> kProfileFields = {
    &CameraProfile::ModelName,
    &CameraProfile::FileBaseName,
    &CameraProfile::DateSeparatorCode,
    &CameraProfile::TimeSeparatorCode,
    &CameraProfile::DateTimeSeparatorCode,
    &CameraProfile::TimeStampCode,
    &CameraProfile::SpareFlagCode,
};

[[nodiscard]] inline std::string& fieldOf(CameraProfile& profile, ProfileField field)
{
    return profile.*kProfileFields[static_cast<std::size_t>(field)];
}

[[nodiscard]] inline const std::string& fieldOf(const CameraProfile& profile, ProfileField field)
{
    return profile.*kProfileFields[static_cast<std::size_t>(field)];
}

// The ten profiles, indexed by ModelIndex.
using ProfileTable = std::array<CameraProfile, kModelCount>;

[[nodiscard]] inline CameraProfile& profileOf(ProfileTable& table, ModelIndex m)
{
    return table[static_cast<std::size_t>(m)];
}

[[nodiscard]] inline const CameraProfile& profileOf(const ProfileTable& table, ModelIndex m)
{
    return table[static_cast<std::size_t>(m)];
}

} // namespace zv
