#include "common/AtomicFile.h"

#include "common/FileHandle.h"

#include <filesystem>
#include <string_view>

namespace zv {

namespace {

namespace fs = std::filesystem;

constexpr std::string_view kTemporarySuffix = ".tmp"; // then createUniqueFile's number

// Follows a chain of links to the file they name, even when that file does not exist yet,
// so a link to a missing settings file gets its file where it points.
std::string resolveLink(const std::string& path)
{
    constexpr int kMostLinks = 40; // as the kernel's own limit, so a loop ends
    fs::path current(path);
    std::error_code error;
    for (int i = 0; i < kMostLinks && fs::is_symlink(current, error); ++i) {
        const fs::path target = fs::read_symlink(current, error);
        if (error)
            break;
        current = target.is_absolute() ? target : current.parent_path() / target;
    }
    return current.string();
}

std::string folderOf(const std::string& path)
{
    const fs::path parent = fs::path(path).parent_path();
    return parent.empty() ? std::string(".") : parent.string();
}

// A save killed before its rename leaves its temporary beside the file. Only names the
// temporaries get are cleared; the program runs as a single copy, so none is still in use.
void removeLeftOverTemporaries(const std::string& path)
{
    using Name = std::basic_string_view<fs::path::value_type>;
    const fs::path::string_type prefix = fs::path(path).filename().native() + fs::path(kTemporarySuffix).native();
    std::error_code error;
    for (fs::directory_iterator entry(fs::path(folderOf(path)), error), end; !error && entry != end;
         entry.increment(error)) {
        const fs::path::string_type name = entry->path().filename().native();
        std::error_code typeError;
        if (isUniqueFileName(Name(name), Name(prefix)) &&
            entry->symlink_status(typeError).type() == fs::file_type::regular)
            removeFileQuietly(entry->path().string());
    }
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
    // A link may lead to a missing file, which is then created, or to a regular file, never
    // to a device, pipe or folder, which the rename below would swap for a file.
    if (SystemError error = refuseUnlessRegularOrMissing(path); error.failed())
        return fail(Stage::Create, std::move(error), {});
    if (SystemError error = refuseReadOnlyFile(path); error.failed())
        return fail(Stage::Create, std::move(error), {});
    removeLeftOverTemporaries(path);

    FileHandle file;
    std::string temporaryPath;
    if (SystemError error = createUniqueFile(path + std::string(kTemporarySuffix), file, temporaryPath); error.failed())
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
