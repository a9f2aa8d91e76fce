#include "drives/IoErrorCodes.h"

#include <windows.h>

namespace zv {

int ioErrorCodeOf(int systemCode)
{
    switch (static_cast<DWORD>(systemCode)) {
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
    case ERROR_INVALID_NAME:
    case ERROR_BAD_NETPATH:
    case ERROR_NOT_READY:
    case ERROR_INVALID_DRIVE:
    case ERROR_DEV_NOT_EXIST:
    case ERROR_FILENAME_EXCED_RANGE:
    case ERROR_DIRECTORY:
    case ERROR_BAD_PATHNAME:
        return kIoInvalidFilename;
    case ERROR_ACCESS_DENIED:
    case ERROR_WRITE_PROTECT:
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION:
    case ERROR_FILE_EXISTS:
    case ERROR_ALREADY_EXISTS:
    case ERROR_CANT_ACCESS_FILE: // a link or junction where the card's root should be
        return kIoAccessDenied;
    case ERROR_TOO_MANY_OPEN_FILES:
        return kIoTooManyOpenFiles;
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL:
        return kIoDiskFull;
    default:
        return 0;
    }
}

} // namespace zv
