#include "common/AtomicFile.h"

#include "common/FileHandle.h"

#include <filesystem>

namespace zv {

namespace {

namespace fs = std::filesystem;

std::string resolveLink(const std::string& path)
{
    std::error_code error;
    if (!fs::is_symlink(fs::path(path), error))
        return path;
    const fs::path target = fs::weakly_canonical(fs::path(path), error);
    return error ? path : target.string();
}

std::string folderOf(const std::string& path)
{
    const fs::path parent = fs::path(path).parent_path();
    return parent.empty() ? std::string(".") : parent.string();
}

AtomicWriteResult fail(AtomicWriteResult::Stage stage, SystemError error, const std::string& temporaryPath)
{
    if (!temporaryPath.empty())
        removeFileQuietly(temporaryPath);
    return {stage, std::move(error)};
}

} // namespace

AtomicWriteResult writeFileAtomically(const std::string& requestedPath, std::string_view bytes)
{
    using Stage = AtomicWriteResult::Stage;
    const std::string path = resolveLink(requestedPath);
    if (SystemError error = refuseReadOnlyFile(path); error.failed())
        return fail(Stage::Create, std::move(error), {});

    FileHandle file;
    std::string temporaryPath;
    if (SystemError error = createUniqueFile(path + ".tmp", file, temporaryPath); error.failed())
        return fail(Stage::Create, std::move(error), {});
    file.copyPermissionsOf(path);

    if (SystemError error = file.write(bytes); error.failed())
        return fail(Stage::Write, std::move(error), temporaryPath);
    if (SystemError error = file.flushToDisk(); error.failed())
        return fail(Stage::Write, std::move(error), temporaryPath);
    if (SystemError error = file.close(); error.failed())
        return fail(Stage::Write, std::move(error), temporaryPath);
    if (SystemError error = replaceFile(temporaryPath, path); error.failed())
        return fail(Stage::Write, std::move(error), temporaryPath);
    if (SystemError error = flushDirectory(folderOf(path)); error.failed())
        return fail(Stage::Write, std::move(error), {});
    return {};
}

} // namespace zv
