#include "common/CappedFile.h"

#include "common/FileHandle.h"

#include <algorithm>
#include <array>

namespace zv {

SystemError readCappedFile(const std::string& path, std::size_t mostBytes, std::string& bytes)
{
    FileHandle file;
    if (SystemError error = file.open(path, FileHandle::Mode::Read); error.failed())
        return error;
    if (SystemError error = file.refuseUnlessRegularFile(); error.failed())
        return error;
    std::string read;
    std::array<char, 4096> buffer{};
    std::size_t got = 0;
    do {
        // One byte past the limit is enough to tell a file that is too long.
        const std::size_t wanted = std::min(buffer.size(), mostBytes + 1 - read.size());
        if (SystemError error = file.read(buffer.data(), wanted, got); error.failed())
            return error;
        read.append(buffer.data(), got);
    } while (got > 0 && read.size() <= mostBytes);
    if (read.size() > mostBytes)
        return systemError(fileTooLargeErrorCode());
    if (SystemError error = file.close(); error.failed())
        return error;
    bytes = std::move(read);
    return {};
}

} // namespace zv
