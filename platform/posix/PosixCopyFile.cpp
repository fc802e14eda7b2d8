// CopyFileA: the source opened for reading (others may read too), the target created or replaced,
// the content copied, and the target given the source's read-only state and modification time.

#include "PosixFileHandle.h"
#include "platform/Files.h"
#include "platform/Win32Constants.h"

#include <sys/stat.h>

namespace platform {

bool CopyFileOver(const std::string& source, const std::string& target, bool failIfExists) {
    FileHandle from;
    if (OpenFile(source, FileAccess::Read, FileShare::Read, FileCreation::OpenExisting, from) !=
        kErrorSuccess)
        return false;
    struct stat info {};
    if (::fstat(from.impl().Descriptor(), &info) != 0)
        return false;
    if (failIfExists && GetFileAttributesOf(target) != kInvalidFileAttributes)
        return false; // ERROR_FILE_EXISTS
    FileHandle to;
    if (OpenFile(target, FileAccess::ReadWrite, FileShare::None, FileCreation::CreateAlways, to) !=
        kErrorSuccess)
        return false;
    std::string content;
    if (ReadToEnd(from, content) != kErrorSuccess || WriteBytes(to, content) != kErrorSuccess) {
        to.impl().Abandon(); // a copy that failed leaves the target as it was
        return false;
    }
    to.impl().SetCommitReadOnly((info.st_mode & 0222) == 0);
    to.impl().SetCommitModificationTime(info.st_mtim);
    return CloseFile(to) == kErrorSuccess;
}

} // namespace platform
