#include "PosixErrors.h"

#include "platform/Win32Constants.h"

#include <cerrno>

namespace platform::posix {

long WindowsErrorFromErrno(int error) {
    switch (error) {
    case 0:
        return kErrorSuccess;
    case ENOENT:
        return kErrorFileNotFound;
    case ENOTDIR:
    case ELOOP:
        return kErrorPathNotFound;
    case EACCES:
    case EPERM:
    case EISDIR:
        return kErrorAccessDenied;
    case EROFS:
        return kErrorWriteProtect;
    case EBADF:
        return kErrorInvalidHandle;
    case EBUSY:
    case ETXTBSY:
        return kErrorSharingViolation;
    case EEXIST:
        return kErrorFileExists;
    case EINVAL:
        return kErrorInvalidParameter;
    case EMFILE:
    case ENFILE:
        return kErrorTooManyOpenFiles;
    case ENOMEM:
        return kErrorNotEnoughMemory;
    case ENOSPC:
    case EDQUOT:
    case EFBIG:
        return kErrorDiskFull;
    case ENAMETOOLONG:
        return kErrorFilenameTooLong;
    default:
        return kErrorGenFailure;
    }
}

} // namespace platform::posix
