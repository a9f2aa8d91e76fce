#pragma once

#include "profiles/OwnFormat.h"
#include "profiles/TimeTemplate.h"

#include <cstdint>
#include <string>
#include <vector>

namespace zv {

// The owner's own formats as the program uses them: each with its template parsed once, and its
// time-stamp choice, which lives in memory like the ten models' choices before a save.
class OwnFormatSet final {
public:
    // Takes the formats in their order; a template that does not parse composes nothing.
    void assign(std::vector<OwnFormat> formats);

    [[nodiscard]] std::size_t size() const { return formats_.size(); }
    [[nodiscard]] const std::vector<OwnFormat>& formats() const { return formats_; }
    [[nodiscard]] const OwnFormat& format(std::size_t k) const { return formats_[k]; }
    [[nodiscard]] const TimeTemplate& parsed(std::size_t k) const { return parsed_[k]; }
    [[nodiscard]] bool usesStamp(std::size_t k) const { return parsed_[k].usesStamp(); }

    // 0 ("Y") or 1 ("N"), as the time-stamp lists' rows.
    [[nodiscard]] int stampRow(std::size_t k) const { return stampRows_[k]; }
    void setStampRow(std::size_t k, int row);

    // Counts every change, so a composition can tell that the formats are not what it used.
    [[nodiscard]] std::uint32_t revision() const { return revision_; }

private:
    std::vector<OwnFormat> formats_;
    std::vector<TimeTemplate> parsed_;
    std::vector<int> stampRows_;
    std::uint32_t revision_ = 0;
};

} // namespace zv
