#include "common/Paths.h"

namespace zv {

namespace fs = std::filesystem;

fs::path pathFromUtf8(const std::string& text)
{
    // The char8_t form is UTF-8 on Windows and the bytes unchanged on POSIX.
    return fs::path(std::u8string(text.begin(), text.end()));
}

std::string utf8FromPath(const fs::path& path)
{
    const std::u8string text = path.u8string();
    return std::string(text.begin(), text.end());
}

SystemError systemErrorFrom(const std::error_code& error) { return {error.value(), error.message()}; }

SystemError createParentFolders(const std::string& path)
{
    const fs::path file = pathFromUtf8(path);
    if (!file.is_absolute())
        return systemErrorFrom(std::make_error_code(std::errc::invalid_argument));
    const fs::path parent = file.parent_path();
    std::error_code error;
    if (fs::is_directory(parent, error))
        return {};
    // The topmost folder that would be created: its own parent must exist and not be a root.
    fs::path topmostMissing = parent;
    for (fs::path above = parent.parent_path(); above != topmostMissing; above = above.parent_path()) {
        std::error_code statusError;
        if (fs::symlink_status(above, statusError).type() != fs::file_type::not_found)
            break;
        topmostMissing = above;
    }
    if (!topmostMissing.has_relative_path() || !topmostMissing.parent_path().has_relative_path())
        return systemErrorFrom(std::make_error_code(std::errc::permission_denied));
    fs::create_directories(parent, error);
    return error ? systemErrorFrom(error) : SystemError{};
}

} // namespace zv
