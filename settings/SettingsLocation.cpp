#include "settings/SettingsLocation.h"

#include "common/FileHandle.h"

#include <filesystem>
#include <random>

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
    std::random_device seed;
    const std::string probe = joinPath(folder, ".zentrik-write-probe-" + std::to_string(seed() % 1000000));
    FileHandle file;
    if (file.open(probe, FileHandle::Mode::WriteCreateNew).failed())
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
    return joinPath(userConfigFolder, kSettingsFileName);
}

} // namespace zv
