#pragma once

#include "profiles/SharedValues.h"

#include <string>
#include <string_view>

namespace zv {

// Composes the time file's line from the chosen model's profile and the moment, and stores
// the user's choices into that profile. The separator and tag texts live from one
// composition to the next: a code outside its list keeps the text of the previous one.
class TimeFileComposer final {
public:
    explicit TimeFileComposer(SharedValues& values) : values_(values) { }

    TimeFileComposer(const TimeFileComposer&) = delete;
    TimeFileComposer& operator=(const TimeFileComposer&) = delete;

    // "Sample of the filling": composes TimeFileText for model `m` from its profile and
    // DateTimeParts. Returns false and leaves everything as it was when `m` is not a model.
    // For an own format (ModelList.h) TimeFileText is its whole file, line breaks and all.
    bool ObrazecZapolnenija(ModelIndex m);

    // "Name of the file": the file-name field's text becomes model `m`'s FileBaseName and the
    // TimeFileBaseName.
    void NameofFileAll(ModelIndex m, std::string_view fileNameText);

    // "Separator" of the date, the time, and between them: stores a list position as the code
    // of model `m`'s field; they do not compose.
    void RazdDate(ModelIndex m, int position);
    void RazdTime(ModelIndex m, int position);
    void RazdDateTime(ModelIndex m, int position);
    // "Time tag": stores the time-stamp choice, only for the models with a time-stamp tag (and
    // own formats using the stamp); the others keep their stored code.
    void Metka_Time(ModelIndex m, int position);

private:
    // What the line was last composed from. The line depends on nothing else, so a tick that
    // finds these as they were (the same second, nothing edited) has nothing to compose. The
    // moment is known by its number: comparing its six texts on every tick cost as much as
    // composing.
    struct ComposedFrom {
        ModelIndex model = -1;
        std::string dateSeparatorCode;
        std::string timeSeparatorCode;
        std::string dateTimeSeparatorCode;
        std::string timeStampCode;
        std::uint64_t momentKey = 0;
        std::uint32_t ownFormatsRevision = 0;

        [[nodiscard]] bool matches(ModelIndex m, const CameraProfile& profile, const DateTimeParts& moment) const;
        void remember(ModelIndex m, const CameraProfile& profile, const DateTimeParts& moment);
    };

    void storePosition(ModelIndex m, ProfileField field, int position);
    bool composeOwnFormat(ModelIndex m);

    SharedValues& values_;
    ComposedFrom composedFrom_;
    std::string dateSeparatorText_;
    std::string timeSeparatorText_;
    std::string dateTimeSeparatorText_;
    std::string timeStampTag_;
};

} // namespace zv
