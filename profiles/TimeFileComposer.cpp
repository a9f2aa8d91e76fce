#include "profiles/TimeFileComposer.h"

#include "profiles/ChoiceLists.h"
#include "profiles/ModelList.h"

namespace zv {

namespace {

// Replaces `text` with what `code` stands for; an unknown code leaves the old text.
void takeChoice(std::string& text, ChoiceList list, std::string_view code)
{
    if (const auto chosen = standsFor(list, code))
        text.assign(*chosen);
}

} // namespace

bool TimeFileComposer::ComposedFrom::matches(
    ModelIndex m, const CameraProfile& profile, const DateTimeParts& moment) const
{
    return model == m && momentKey == moment.key() && dateSeparatorCode == profile.DateSeparatorCode &&
        timeSeparatorCode == profile.TimeSeparatorCode && dateTimeSeparatorCode == profile.DateTimeSeparatorCode &&
        timeStampCode == profile.TimeStampCode;
}

void TimeFileComposer::ComposedFrom::remember(ModelIndex m, const CameraProfile& profile, const DateTimeParts& moment)
{
    model = m;
    dateSeparatorCode = profile.DateSeparatorCode;
    timeSeparatorCode = profile.TimeSeparatorCode;
    dateTimeSeparatorCode = profile.DateTimeSeparatorCode;
    timeStampCode = profile.TimeStampCode;
    momentKey = moment.key();
}

bool TimeFileComposer::composeOwnFormat(ModelIndex m)
{
    if (!isListedModel(values_, m))
        return false;
    const OwnFormatSet& formats = values_.ownFormats;
    const std::uint64_t moment = values_.dateTimeParts.key();
    if (composedFrom_.model == m && composedFrom_.momentKey == moment &&
        composedFrom_.ownFormatsRevision == formats.revision())
        return true;
    composedFrom_ = {m, {}, {}, {}, {}, moment, formats.revision()};
    const std::size_t k = ownFormatOf(m);
    const OwnFormat& format = formats.format(k);
    formats.parsed(k).compose(values_.dateTimeParts, formats.stampRow(k) == 0 ? "Y" : "N", format.lineBreak,
        format.breakAfterLast, values_.timeFileText);
    return true;
}

bool TimeFileComposer::ObrazecZapolnenija(ModelIndex m)
{
    if (isOwnFormat(m))
        return composeOwnFormat(m);
    if (!isModel(m))
        return false;
    const CameraProfile& profile = profileOf(values_.profileTable, m);
    if (composedFrom_.matches(m, profile, values_.dateTimeParts))
        return true;
    composedFrom_.remember(m, profile, values_.dateTimeParts);
    takeChoice(dateSeparatorText_, ChoiceList::DateSeparator, profile.DateSeparatorCode);
    takeChoice(timeSeparatorText_, ChoiceList::TimeSeparator, profile.TimeSeparatorCode);
    takeChoice(dateTimeSeparatorText_, ChoiceList::DateTimeSeparator, profile.DateTimeSeparatorCode);
    const bool tagged = HasTimeStampTag(m);
    if (tagged)
        takeChoice(timeStampTag_, ChoiceList::YesNoFlag, profile.TimeStampCode);

    const DateTimeParts& parts = values_.dateTimeParts;
    std::string& line = values_.timeFileText;
    line.clear(); // keeps its storage: this runs on every work tick
    line.append(parts.year()).append(dateSeparatorText_).append(parts.month()).append(dateSeparatorText_);
    line.append(parts.day()).append(dateTimeSeparatorText_);
    line.append(parts.hour()).append(timeSeparatorText_).append(parts.minute()).append(timeSeparatorText_);
    line.append(parts.second());
    if (tagged)
        line.append(" ").append(timeStampTag_);
    return true;
}

void TimeFileComposer::NameofFileAll(ModelIndex m, std::string_view fileNameText)
{
    if (isModel(m))
        profileOf(values_.profileTable, m).FileBaseName.assign(fileNameText);
    values_.timeFileBaseName.assign(fileNameText);
}

void TimeFileComposer::RazdDate(ModelIndex m, int position)
{
    storePosition(m, ProfileField::DateSeparatorCode, position);
}

void TimeFileComposer::RazdTime(ModelIndex m, int position)
{
    storePosition(m, ProfileField::TimeSeparatorCode, position);
}

void TimeFileComposer::RazdDateTime(ModelIndex m, int position)
{
    storePosition(m, ProfileField::DateTimeSeparatorCode, position);
}

void TimeFileComposer::Metka_Time(ModelIndex m, int position)
{
    if (HasTimeStampTag(m))
        storePosition(m, ProfileField::TimeStampCode, position);
    else if (isOwnFormat(m) && hasTimeStamp(values_, m))
        values_.ownFormats.setStampRow(ownFormatOf(m), position);
}

void TimeFileComposer::storePosition(ModelIndex m, ProfileField field, int position)
{
    if (isModel(m))
        fieldOf(profileOf(values_.profileTable, m), field) = codeOfPosition(position);
}

} // namespace zv
