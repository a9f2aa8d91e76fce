#pragma once

#include "drives/DriveProbe.h"
#include "drives/IoErrorCodes.h"

#include <string>
#include <string_view>

namespace zv {

// What a write came to. On failure `text` is what the error box shows: for a platform error
// that has no code of its own it reads "I/O error N" even where N is one of the codes above
// (EIO is 5 on Linux), so show `text` rather than ioErrorText(code).
struct TimeFileResult {
    bool success = false;
    int code = 0;
    std::string text;
};

// The error box's text for a failure code: "Disk full" for 101, "I/O error 32" for 32.
[[nodiscard]] std::string ioErrorText(int code);

// The failure a platform error number (errno / GetLastError()) stands for.
[[nodiscard]] TimeFileResult failureFromSystemError(int systemCode);

// Writes `bytes` as the file `fileName` in the root `saveDir`, replacing what was there, and
// reports success only once the bytes and the directory entry are on the medium. The bytes go
// to a new file of the program's own name first and are renamed over, so a failed write leaves
// the old file whole, a link of that name is replaced, never written through, and no other file
// on the card is ever changed or removed; a folder of that name and a file marked read-only are
// refused. A name that could leave the root, an empty or blank name and an empty SaveDir are
// refused with "Invalid filename" before anything is touched, and so is a SaveDir that `probe`
// does not confirm, once opened, as still a removable drive's root. `fileName` is UTF-8.
[[nodiscard]] TimeFileResult writeCameraFile(
    const std::string& saveDir, const std::string& fileName, std::string_view bytes, DriveProbe& probe);

// Writes `text` and CR LF to saveDir + baseName + ".txt" (writeCameraFile), and
// refuses a base name that is empty or blank as writeCameraFile refuses a name. `baseName` is
// single-byte text as Zentrik.ini holds it.
[[nodiscard]] TimeFileResult writeTimeFile(
    const std::string& saveDir, const std::string& baseName, std::string_view text, DriveProbe& probe);

} // namespace zv
