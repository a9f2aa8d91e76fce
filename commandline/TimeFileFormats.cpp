#include "commandline/TimeFileFormats.h"

#include "common/StoredText.h"
#include "profiles/SharedValues.h"
#include "profiles/TimeFileComposer.h"

namespace zv {

namespace {

constexpr int kStampYesRow = 0; // the rows of the window's time-stamp list
constexpr int kStampNoRow = 1;

DateTimeParts partsOf(const LocalDateTime& moment)
{
    return DateTimeParts(moment.year, moment.month, moment.day, moment.hour, moment.minute, moment.second);
}

} // namespace

TimeFileResult ComposedTimeFile::writeTo(const std::string& root, DriveProbe& probe) const
{
    // The ten go through writeTimeFile, which also refuses a blank base name from a damaged
    // Zentrik.ini; an own format's whole name was checked when it was loaded.
    if (ownFormat)
        return writeCameraFile(root, fileName, bytes, probe);
    return writeTimeFile(root, baseName, shownText, probe);
}

TimeFileFormats::TimeFileFormats(const ProfileTable& profiles, std::vector<OwnFormat> ownFormats) : profiles_(profiles)
{
    for (OwnFormat& format : ownFormats) {
        TemplateParse parse = TimeTemplate::parse(format.templateText);
        if (parse.ok()) // a loaded format always parses; one that did not could not be composed
            own_.push_back({std::move(format), std::move(parse.parsed)});
    }
}

std::optional<std::size_t> TimeFileFormats::find(std::string_view wanted) const
{
    for (std::size_t format = 0; format < size(); ++format) {
        if (sameOwnFormatName(name(format), wanted))
            return format;
    }
    return std::nullopt;
}

std::string_view TimeFileFormats::name(std::size_t format) const
{
    if (format < kModelCount)
        return modelName(static_cast<ModelIndex>(format));
    return own_[format - kModelCount].format.name;
}

bool TimeFileFormats::hasStamp(std::size_t format) const
{
    if (format < kModelCount)
        return HasTimeStampTag(static_cast<ModelIndex>(format));
    return own_[format - kModelCount].parsed.usesStamp();
}

ComposedTimeFile TimeFileFormats::compose(std::size_t format, const LocalDateTime& moment, bool stamp) const
{
    if (format < kModelCount) {
        const auto m = static_cast<ModelIndex>(format);
        SharedValues values;
        values.profileTable = profiles_; // a copy: the choice of stamp is never saved
        values.dateTimeParts = partsOf(moment);
        TimeFileComposer composer(values);
        composer.Metka_Time(m, stamp ? kStampYesRow : kStampNoRow);
        (void)composer.ObrazecZapolnenija(m);
        const std::string& baseName = profileOf(values.profileTable, m).FileBaseName;
        return {baseName + ".txt", values.timeFileText + "\r\n", values.timeFileText, baseName, false};
    }
    const Own& own = own_[format - kModelCount];
    // An own format's name and template are UTF-8; the file gets the system's single-byte text,
    // as the window writes it.
    ComposedTimeFile file{own.format.fileName, {}, {}, {}, true};
    own.parsed.compose(
        partsOf(moment), stamp ? "Y" : "N", own.format.lineBreak, own.format.breakAfterLast, file.shownText);
    file.bytes = storedTextFromUtf8(file.shownText);
    const std::string_view lastBreak = lineBreakBytes(own.format.lineBreak);
    if (own.format.breakAfterLast && file.shownText.ends_with(lastBreak))
        file.shownText.resize(file.shownText.size() - lastBreak.size());
    return file;
}

} // namespace zv
