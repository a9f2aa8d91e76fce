#include "common/FileHandle.h"

#include <filesystem>
#include <random>

namespace zv {

namespace {

constexpr unsigned kUniqueNumbers = [] {
    unsigned limit = 1;
    for (std::size_t digit = 0; digit < kUniqueFileNumberDigits; ++digit)
        limit *= 10;
    return limit;
}();

constexpr int kUniqueNameAttempts = 8;

// Tries `create` with `prefix` and a random number while `taken` says the name was in use;
// `name` gets the last one tried.
template <typename Create, typename Taken>
SystemError createWithUniqueName(const std::string& prefix, std::string& name, const Create& create, const Taken& taken)
{
    std::random_device seed;
    std::mt19937 random(seed());
    SystemError error;
    for (int attempt = 0; attempt < kUniqueNameAttempts; ++attempt) {
        name = prefix + std::to_string(random() % kUniqueNumbers);
        error = create(name);
        if (!error.failed() || !taken(name, error))
            return error;
    }
    return error;
}

} // namespace

SystemError createUniqueFile(const std::string& prefix, FileHandle& file, std::string& path)
{
    return createWithUniqueName(
        prefix, path,
        [&file](const std::string& candidate) { return file.open(candidate, FileHandle::Mode::WriteCreateNew); },
        // Some systems answer a taken name with "access denied"; the name itself tells.
        [](const std::string& candidate, const SystemError& error) {
            std::error_code ignored;
            return isNameTaken(error) || std::filesystem::exists(std::filesystem::path(candidate), ignored);
        });
}

SystemError Folder::createUniqueFile(const std::string& prefix, FileHandle& file, std::string& name) const
{
    return createWithUniqueName(
        prefix, name, [this, &file](const std::string& candidate) { return createNewFile(candidate, file); },
        [](const std::string&, const SystemError& error) { return isNameTaken(error); });
}

} // namespace zv
