#include "common/AtomicFile.h"

#include "common/FileHandle.h"

#include <filesystem>
#include <random>

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

// Opens a new file beside `path` under a name nobody else uses.
SystemError createTemporaryBeside(const std::string& path, FileHandle& file, std::string& temporaryPath)
{
    std::random_device seed;
    std::mt19937 random(seed());
    SystemError error;
    for (int attempt = 0; attempt < 8; ++attempt) {
        temporaryPath = path + ".tmp" + std::to_string(random() % 1000000);
        error = file.open(temporaryPath, FileHandle::Mode::WriteCreateNew);
        if (!error.failed())
            return {};
        std::error_code exists;
        if (!fs::exists(fs::path(temporaryPath), exists))
            break; // a real failure, not a name clash
    }
    return error;
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
    if (SystemError error = createTemporaryBeside(path, file, temporaryPath); error.failed())
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
