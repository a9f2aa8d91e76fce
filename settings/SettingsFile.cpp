#include "settings/SettingsFile.h"

#include "common/AtomicFile.h"
#include "common/FileHandle.h"
#include "profiles/DefaultProfiles.h"

#include <array>
#include <filesystem>

namespace zv {

namespace {

namespace fs = std::filesystem;

SettingsStatus failure(SettingsStatus::Failure kind, SystemError error) { return {kind, std::move(error)}; }

// A link whose file is gone counts as missing too: the defaults are written where it points.
bool fileIsMissing(const std::string& path)
{
    std::error_code error;
    const fs::file_status status = fs::status(fs::path(path), error);
    return status.type() == fs::file_type::not_found;
}

// The user's configuration folder may not exist yet on a first start.
SystemError makeParentFolder(const std::string& path)
{
    const fs::path parent = fs::path(path).parent_path();
    std::error_code error;
    if (parent.empty() || fs::is_directory(parent, error))
        return {};
    fs::create_directories(parent, error);
    return error ? systemError(error.value()) : SystemError{};
}

} // namespace

SettingsStatus SettingsFile::ReadINI(ProfileTable& table) const
{
    if (fileIsMissing(path_)) {
        if (SettingsStatus status = write(DefaultProfiles()); !status.ok())
            return status;
    }
    RawSettingsLines lines;
    if (SettingsStatus status = readLines(lines); !status.ok())
        return status;
    table = Proverka_INI(lines);
    return {};
}

SettingsStatus SettingsFile::readWithoutWriting(ProfileTable& table) const
{
    if (fileIsMissing(path_)) {
        table = DefaultProfiles();
        return {};
    }
    RawSettingsLines lines;
    if (SettingsStatus status = readLines(lines); !status.ok())
        return status;
    table = Proverka_INI(lines);
    return {};
}

SettingsStatus SettingsFile::NastrojkiDefaultWrite(ProfileTable& table) const
{
    if (SettingsStatus status = write(DefaultProfiles()); !status.ok())
        return status;
    return ReadINI(table);
}

SettingsStatus SettingsFile::saveUserSettings(ProfileTable& table) const
{
    if (SettingsStatus status = write(table); !status.ok())
        return status;
    return ReadINI(table);
}

SettingsStatus SettingsFile::write(const ProfileTable& source) const
{
    if (SystemError error = makeParentFolder(path_); error.failed())
        return failure(SettingsStatus::Failure::CannotCreate, std::move(error));
    AtomicWriteResult result = writeFileAtomically(path_, settingsFileText(source));
    switch (result.stage) {
    case AtomicWriteResult::Stage::Done:
        return {};
    case AtomicWriteResult::Stage::Create:
        return failure(SettingsStatus::Failure::CannotCreate, std::move(result.error));
    case AtomicWriteResult::Stage::Write:
        break;
    }
    return failure(SettingsStatus::Failure::CannotWrite, std::move(result.error));
}

SettingsStatus SettingsFile::readLines(RawSettingsLines& lines) const
{
    // Seventy short lines take a few hundred bytes; a file still unfinished after this many is
    // damaged, or is no file at all (a link to /dev/zero).
    constexpr std::size_t kMostBytesRead = 64 * 1024;
    FileHandle file;
    if (SystemError error = file.open(path_, FileHandle::Mode::Read); error.failed())
        return failure(SettingsStatus::Failure::CannotRead, std::move(error));
    if (SystemError error = file.refuseUnlessRegularFile(); error.failed())
        return failure(SettingsStatus::Failure::CannotRead, std::move(error));
    SettingsLineSplitter splitter;
    std::array<char, 4096> buffer{};
    std::size_t got = 0;
    std::size_t total = 0;
    do {
        if (SystemError error = file.read(buffer.data(), buffer.size(), got); error.failed())
            return failure(SettingsStatus::Failure::CannotRead, std::move(error));
        total += got;
    } while (got > 0 && splitter.feed(std::string_view(buffer.data(), got)) && total <= kMostBytesRead);
    if (splitter.wantsMore() && got > 0)
        return failure(SettingsStatus::Failure::CannotRead, systemError(fileTooLargeErrorCode()));
    lines = splitter.take();
    if (SystemError error = file.close(); error.failed())
        return failure(SettingsStatus::Failure::CannotRead, std::move(error));
    return {};
}

} // namespace zv
