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

} // namespace

SystemError createUniqueFile(const std::string& prefix, FileHandle& file, std::string& path)
{
    std::random_device seed;
    std::mt19937 random(seed());
    SystemError error;
    for (int attempt = 0; attempt < 8; ++attempt) {
        path = prefix + std::to_string(random() % kUniqueNumbers);
        error = file.open(path, FileHandle::Mode::WriteCreateNew);
        if (!error.failed())
            return {};
        std::error_code exists;
        if (!std::filesystem::exists(std::filesystem::path(path), exists))
            break; // a real failure, not a name clash
    }
    return error;
}

} // namespace zv
