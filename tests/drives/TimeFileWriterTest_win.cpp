#include "TimeFileWriterTest.h"

#include <windows.h>

namespace zv {
namespace {

TEST(TimeFileFailure, mapsSystemErrorsOntoTheCodesUsersSee)
{
    const struct {
        DWORD systemCode;
        int code;
        std::string text;
    } cases[] = {
        {ERROR_FILE_NOT_FOUND, 3, "Invalid filename"},
        {ERROR_PATH_NOT_FOUND, 3, "Invalid filename"},
        {ERROR_NOT_READY, 3, "Invalid filename"}, // the card was pulled
        {ERROR_INVALID_DRIVE, 3, "Invalid filename"},
        {ERROR_FILENAME_EXCED_RANGE, 3, "Invalid filename"},
        {ERROR_ACCESS_DENIED, 5, "File access denied"},
        {ERROR_WRITE_PROTECT, 5, "File access denied"}, // the card's lock switch
        {ERROR_SHARING_VIOLATION, 5, "File access denied"},
        {ERROR_FILE_EXISTS, 5, "File access denied"},
        {ERROR_ALREADY_EXISTS, 5, "File access denied"},
        {ERROR_CANT_ACCESS_FILE, 5, "File access denied"},
        {ERROR_DIRECTORY, 3, "Invalid filename"},
        {ERROR_TOO_MANY_OPEN_FILES, 4, "Too many open files"},
        {ERROR_DISK_FULL, 101, "Disk full"},
        {ERROR_HANDLE_DISK_FULL, 101, "Disk full"},
        // No code of its own: the number, even where it equals a texted code.
        {ERROR_TOO_MANY_SEMAPHORES, 100, "I/O error 100"},
        {ERROR_EXCL_SEM_ALREADY_OWNED, 101, "I/O error 101"},
        {ERROR_CRC, 23, "I/O error 23"},
        {ERROR_GEN_FAILURE, 31, "I/O error 31"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.systemCode);
        const TimeFileResult result = failureFromSystemError(static_cast<int>(c.systemCode));
        EXPECT_FALSE(result.success);
        EXPECT_EQ(result.code, c.code);
        EXPECT_EQ(result.text, c.text);
    }
}

} // namespace
} // namespace zv
