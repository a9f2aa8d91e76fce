#pragma once

#include "commandline/CommandLine.h"
#include "drives/TimeFileWriter.h"
#include "profiles/CameraProfile.h"
#include "profiles/OwnFormat.h"

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace zv {

// A time file composed for one moment, ready to be written to any number of cards.
struct ComposedTimeFile {
    std::string fileName; // in the card's root, as the settings hold it
    std::string bytes; // the whole file
    std::string shownText; // the bytes without their final line break, for a report
    std::string baseName; // the ten models: the name without ".txt"
    bool ownFormat = false;

    // Writes the file into `root` with every guarantee of the window's set.
    [[nodiscard]] TimeFileResult writeTo(const std::string& root, DriveProbe& probe) const;
};

// The formats the command line can write, in the model list's order: the ten models with
// their profiles from Zentrik.ini, then the owner's own formats.
class TimeFileFormats final {
public:
    TimeFileFormats(const ProfileTable& profiles, std::vector<OwnFormat> ownFormats);

    [[nodiscard]] std::size_t size() const { return kModelCount + own_.size(); }

    // The format named `name`, letter case aside; none when nothing is so named.
    [[nodiscard]] std::optional<std::size_t> find(std::string_view name) const;

    [[nodiscard]] std::string_view name(std::size_t format) const;
    // Whether the time-stamp choice applies: a model with the tag, an own format using {stamp}.
    [[nodiscard]] bool hasStamp(std::size_t format) const;

    // The file for `moment`, composed as the window composes it; the stamp counts only where
    // hasStamp() says so. Never saves anything.
    [[nodiscard]] ComposedTimeFile compose(std::size_t format, const LocalDateTime& moment, bool stamp) const;

private:
    struct Own {
        OwnFormat format;
        TimeTemplate parsed;
    };

    ProfileTable profiles_;
    std::vector<Own> own_;
};

} // namespace zv
