#include "settings/OwnFormatsFile.h"

#include "common/AtomicFile.h"
#include "common/FileHandle.h"

#include <algorithm>
#include <array>
#include <filesystem>

namespace zv {

namespace {

// A link whose file is gone counts as missing too: a save writes where it points.
bool fileIsMissing(const std::string& path)
{
    std::error_code error;
    return std::filesystem::status(std::filesystem::path(path), error).type() == std::filesystem::file_type::not_found;
}

// Up to kMostOwnFormatsFileBytes of the file, and whether there was more.
SystemError readHead(const std::string& path, std::string& bytes, bool& cut)
{
    FileHandle file;
    if (SystemError error = file.open(path, FileHandle::Mode::Read); error.failed())
        return error;
    if (SystemError error = file.refuseUnlessRegularFile(); error.failed())
        return error;
    std::array<char, 4096> buffer{};
    std::size_t got = 0;
    cut = false;
    do {
        if (SystemError error = file.read(buffer.data(), buffer.size(), got); error.failed())
            return error;
        const std::size_t room = kMostOwnFormatsFileBytes - bytes.size();
        bytes.append(buffer.data(), std::min(got, room));
        cut = got > room;
    } while (got > 0 && !cut);
    return file.close();
}

} // namespace

OwnFormatsLoad loadOwnFormats(const std::string& path)
{
    OwnFormatsLoad load;
    if (fileIsMissing(path))
        return load;
    std::string bytes;
    bool cut = false;
    if (SystemError error = readHead(path, bytes, cut); error.failed()) {
        load.error = std::move(error);
        return load;
    }
    OwnFormatsRead read = readOwnFormatsText(bytes);
    load.formats = std::move(read.formats);
    load.problems = std::move(read.problems);
    if (cut)
        load.problems.push_back({0, "file longer than 256 KiB: the rest passed over"});
    return load;
}

OwnFormatsSaveStatus saveOwnFormats(const std::string& path, std::span<const OwnFormat> formats)
{
    using Failure = OwnFormatsSaveStatus::Failure;
    if (const auto invalid = firstInvalidOwnFormat(formats))
        return {Failure::InvalidList, {}, *invalid};
    AtomicWriteResult result = writeFileAtomically(path, ownFormatsText(formats));
    switch (result.stage) {
    case AtomicWriteResult::Stage::Done:
        return {};
    case AtomicWriteResult::Stage::Create:
        return {Failure::CannotCreate, std::move(result.error)};
    case AtomicWriteResult::Stage::Write:
        break;
    }
    return {Failure::CannotWrite, std::move(result.error)};
}

} // namespace zv
