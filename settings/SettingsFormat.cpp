#include "settings/SettingsFormat.h"

#include "profiles/ChoiceLists.h"
#include "profiles/DefaultProfiles.h"

namespace zv {

namespace {

constexpr char kCarriageReturn = '\r';
constexpr char kLineFeed = '\n';
constexpr char kEndOfFile = '\x1A';

} // namespace

bool SettingsLineSplitter::feed(std::string_view chunk)
{
    for (const char byte : chunk) {
        if (finished_)
            break;
        if (byte == kEndOfFile) {
            finished_ = true;
            break;
        }
        if (byte == kLineFeed) {
            pendingCarriageReturn_ = false;
            endLine();
            continue;
        }
        // A carriage return counts only as part of CR LF; a lone one is dropped.
        pendingCarriageReturn_ = byte == kCarriageReturn;
        if (!pendingCarriageReturn_)
            lines_[current_].push_back(byte);
    }
    return !finished_;
}

void SettingsLineSplitter::endLine()
{
    if (++current_ == kSettingsLineCount)
        finished_ = true;
}

RawSettingsLines SettingsLineSplitter::take()
{
    finished_ = true;
    return std::move(lines_);
}

RawSettingsLines splitSettingsLines(std::string_view bytes)
{
    SettingsLineSplitter splitter;
    splitter.feed(bytes);
    return splitter.take();
}

ProfileTable Proverka_INI(const RawSettingsLines& lines)
{
    ProfileTable table;
    const ProfileTable& defaults = DefaultProfiles();
    for (ModelIndex m = 0; m < kModelCount; ++m) {
        CameraProfile& profile = profileOf(table, m);
        const std::size_t first = static_cast<std::size_t>(m) * kProfileFieldCount;
        profile.ModelName = std::string(modelName(m));
        profile.FileBaseName = lines[first + static_cast<std::size_t>(ProfileField::FileBaseName)];
        for (std::size_t f = static_cast<std::size_t>(ProfileField::DateSeparatorCode); f < kProfileFieldCount; ++f) {
            const auto field = static_cast<ProfileField>(f);
            const std::string& text = lines[first + f];
            fieldOf(profile, field) =
                isValidCode(*choiceListOf(field), text) ? text : fieldOf(profileOf(defaults, m), field);
        }
    }
    return table;
}

std::string settingsFileText(const ProfileTable& table)
{
    std::string text;
    for (ModelIndex m = 0; m < kModelCount; ++m) {
        const CameraProfile& profile = profileOf(table, m);
        for (std::size_t f = 0; f < kProfileFieldCount; ++f) {
            const auto field = static_cast<ProfileField>(f);
            text += field == ProfileField::ModelName ? std::string_view(modelName(m)) : fieldOf(profile, field);
            text += "\r\n";
        }
    }
    return text;
}

} // namespace zv
