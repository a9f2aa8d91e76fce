#include "drives/TimeFileWriter.h"

#include "common/FileHandle.h"
#include "common/StoredText.h"
#include "drives/IoErrorCodes.h"

#include <algorithm>
#include <iterator>
#include <string>

namespace zv {

namespace {

struct CodeText {
    int code;
    const char* text;
};

constexpr CodeText kCodeTexts[] = {
    {kIoFileNotFound, "File not found"},
    {kIoInvalidFilename, "Invalid filename"},
    {kIoTooManyOpenFiles, "Too many open files"},
    {kIoAccessDenied, "File access denied"},
    {kIoReadBeyondEnd, "Read beyond end of file"},
    {kIoDiskFull, "Disk full"},
    {kIoInvalidNumericInput, "Invalid numeric input"},
};

std::string numberedText(int code) { return "I/O error " + std::to_string(code); }

bool isControlByte(char c)
{
    const auto byte = static_cast<unsigned char>(c);
    return byte < 0x20 || byte == 0x7F;
}

// A name comes from a settings file, which must not steer the write out of the root, nor,
// empty or blank from a damaged file, make a file the camera never reads.
bool isUsableFileName(std::string_view name)
{
    if (name == "." || name == ".." || name.find_first_not_of(' ') == std::string_view::npos)
        return false;
    return std::none_of(name.begin(), name.end(), [](char c) { return c == '/' || c == '\\' || isControlByte(c); });
}

TimeFileResult failure(int code) { return {false, code, ioErrorText(code)}; }

SystemError writeAndClose(FileHandle& file, std::string_view bytes)
{
    if (SystemError error = file.write(bytes); error.failed())
        return error;
    if (SystemError error = file.flushToDisk(); error.failed())
        return error;
    return file.close();
}

// The temporary's name is the program's own: no camera or owner names a file so, and a file of
// the owner's is never opened, replaced or removed (an owner's "TAG.tmp" is theirs).
constexpr char kTemporaryPrefix[] = ".zentrik-vesmar.tmp.";

// Writes a temporary file beside the time file and renames it over, so a full or pulled card
// keeps its earlier file whole and never gets an empty or partial one; a link in the time
// file's place is replaced, never written through. File and folder entry are pushed onto the
// medium: a camera pulled right after the confirmation must still find its file.
SystemError replaceDurably(const Folder& root, const std::string& name, std::string_view bytes)
{
    if (SystemError error = root.checkReplaceable(name); error.failed())
        return error;
    root.removeLeftOvers(kTemporaryPrefix); // of a write the card was pulled in
    FileHandle file;
    std::string temporaryName;
    if (SystemError error = root.createUniqueFile(kTemporaryPrefix, file, temporaryName); error.failed())
        return error;
    SystemError error = writeAndClose(file, bytes);
    if (!error.failed())
        error = root.replace(temporaryName, name);
    if (error.failed()) {
        (void)file.close();
        root.removeQuietly(temporaryName);
        return error;
    }
    return root.flush();
}

} // namespace

std::string ioErrorText(int code)
{
    const auto* const found = std::find_if(
        std::begin(kCodeTexts), std::end(kCodeTexts), [code](const CodeText& entry) { return entry.code == code; });
    return found != std::end(kCodeTexts) ? std::string(found->text) : numberedText(code);
}

TimeFileResult failureFromSystemError(int systemCode)
{
    const int code = ioErrorCodeOf(systemCode);
    if (code != 0)
        return failure(code);
    return {false, systemCode, numberedText(systemCode)};
}

TimeFileResult writeCameraFile(
    const std::string& saveDir, const std::string& fileName, std::string_view bytes, DriveProbe& probe)
{
    // An empty SaveDir would put the file in the working folder instead of on a camera.
    if (saveDir.empty() || !isUsableFileName(fileName))
        return failure(kIoInvalidFilename);

    // SaveDir is only a path: a card unmounted since the last poll leaves its bare mount-point
    // folder on the computer's own disk. The folder is opened first and the probe asked about
    // that very folder, so the write lands on the card or nowhere.
    Folder root;
    if (const SystemError error = root.open(saveDir); error.failed())
        return failureFromSystemError(error.code);
    if (!probe.isRemovableRootNow(saveDir, root.device()))
        return failure(kIoInvalidFilename);
    if (const SystemError error = replaceDurably(root, fileName, bytes); error.failed())
        return failureFromSystemError(error.code);
    return {true, 0, {}};
}

TimeFileResult writeTimeFile(
    const std::string& saveDir, const std::string& baseName, std::string_view text, DriveProbe& probe)
{
    // A blank base name would make a hidden ".txt" the camera never reads.
    if (!isUsableFileName(baseName))
        return failure(kIoInvalidFilename);
    std::string bytes;
    bytes.reserve(text.size() + 2);
    bytes.append(text).append("\r\n");
    return writeCameraFile(saveDir, storedTextAsUtf8(baseName) + ".txt", bytes, probe);
}

} // namespace zv
