#include "drives/TimeFileOnCard.h"

#include "common/CappedFile.h"
#include "common/FileHandle.h"
#include "common/Paths.h"

#include <filesystem>

namespace zv {

namespace {

namespace fs = std::filesystem;

using State = TimeFileOnCard::State;

// The name comes from our own records file, which anyone may edit: only a plain name in the root.
bool isPlainName(const std::string& name)
{
    return !name.empty() && name != "." && name != ".." && name.find_first_of("/\\:") == std::string::npos;
}

TimeFileOnCard lookInRoot(const std::string& root, const std::string& fileName)
{
    const fs::path path = pathFromUtf8(root) / pathFromUtf8(fileName);
    std::error_code error;
    switch (fs::symlink_status(path, error).type()) {
    case fs::file_type::not_found:
        return {State::Missing, {}};
    case fs::file_type::regular:
        break;
    case fs::file_type::none:
        return {State::Unknown, {}};
    default:
        return {State::NotOurFile, {}};
    }
    std::string bytes;
    if (SystemError readError = readCappedFile(utf8FromPath(path), kMostTimeFileBytes, bytes); readError.failed())
        return {readError.code == fileTooLargeErrorCode() ? State::NotOurFile : State::Unknown, {}};
    return {State::File, std::move(bytes)};
}

} // namespace

TimeFileOnCard lookAtTimeFile(const std::string& root, const std::string& fileName, DriveProbe& probe)
{
    if (!isPlainName(fileName))
        return {};
    Folder folder;
    if (folder.open(root).failed() || !probe.isRemovableRootNow(root, folder.device()))
        return {};
    TimeFileOnCard seen = lookInRoot(root, fileName);
    if (!probe.isRemovableRootNow(root, folder.device()))
        return {};
    return seen;
}

} // namespace zv
