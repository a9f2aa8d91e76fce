#include "settings/SettingsLocation.h"

#include "common/FileHandle.h"

#include <filesystem>

namespace zv {

namespace {

namespace fs = std::filesystem;

std::string joinPath(const std::string& folder, std::string_view name)
{
    return (fs::path(folder) / fs::path(name)).string();
}

// Asking the system for permission bits misses access lists and read-only media;
// creating a file answers for all of them.
bool folderIsWritable(const std::string& folder)
{
    FileHandle file;
    std::string probe;
    if (createUniqueFile(joinPath(folder, ".zentrik-write-probe-"), file, probe).failed())
        return false;
    (void)file.close();
    removeFileQuietly(probe);
    return true;
}

} // namespace

std::string settingsFilePath(const std::string& executableFolder, const std::string& userConfigFolder)
{
    const std::string beside = joinPath(executableFolder, kSettingsFileName);
    std::error_code error;
    if (fs::exists(fs::path(beside), error) || folderIsWritable(executableFolder))
        return beside;
    if (userConfigFolder.empty())
        return {};
    return joinPath(userConfigFolder, kSettingsFileName);
}

std::string besideSettingsFile(const std::string& settingsPath, std::string_view name)
{
    if (settingsPath.empty())
        return {};
    return (fs::path(settingsPath).parent_path() / fs::path(name)).string();
}

} // namespace zv
