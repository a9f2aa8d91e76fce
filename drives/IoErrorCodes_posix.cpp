#include "drives/IoErrorCodes.h"

#include <cerrno>

namespace zv {

int ioErrorCodeOf(int systemCode)
{
    switch (systemCode) {
    case ENOENT: // the drive is gone, or SaveDir names no folder
    case ENOTDIR:
    case ELOOP: // a link in the drive root's place
    case ENAMETOOLONG: // refused rather than cut, so the camera never gets a wrong name
    case EINVAL: // a character the card's file system cannot hold (FAT refuses "?" and ":")
    case EILSEQ: // bytes the card's file system cannot read as its names' encoding
        return kIoInvalidFilename;
    case EACCES:
    case EPERM:
    case EROFS:
    case EEXIST:
    case EISDIR: // a folder in the time file's place
    case ETXTBSY:
        return kIoAccessDenied;
    case EMFILE:
    case ENFILE:
        return kIoTooManyOpenFiles;
    case ENOSPC:
    case EDQUOT:
    case EFBIG: // larger than the card's file system takes a file
        return kIoDiskFull;
    default:
        return 0;
    }
}

} // namespace zv
