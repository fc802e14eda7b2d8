// The file calls over the prefix's drives: CreateFileA, ReadFile, WriteFile, SetFilePointer,
// SetEndOfFile and CloseHandle.

#include "FileSharing.h"
#include "MachineDrives.h"
#include "PathResolver.h"
#include "PosixErrors.h"
#include "PosixFileHandle.h"
#include "platform/Files.h"
#include "platform/Win32Constants.h"

#include <cerrno>
#include <fcntl.h>

namespace platform {

FileHandle::FileHandle() noexcept = default;
FileHandle::FileHandle(std::unique_ptr<Impl> impl) noexcept : impl_(std::move(impl)) {}
FileHandle::FileHandle(FileHandle&&) noexcept = default;
FileHandle& FileHandle::operator=(FileHandle&&) noexcept = default;
FileHandle::~FileHandle() = default;

namespace {

// The name by which the sharing checks know a file: its folder's real path and its own name.
std::string SharingKey(const posix::ResolvedPath& path) {
    std::error_code error;
    const std::filesystem::path folder = std::filesystem::canonical(path.folder, error);
    return ((error ? path.folder : folder) / path.lastName).string();
}

} // namespace

long OpenFile(const std::string& path, FileAccess access, FileShare share, FileCreation creation,
              FileHandle& result) {
    posix::ResolvedPath resolved;
    if (const long status =
            posix::ResolvePath(posix::MachineDrives(), path, posix::LastComponent::Name, resolved);
        status != kErrorSuccess)
        return status;
    // A name that ends in a separator can only be a folder, and folders are not opened as files.
    if (resolved.windowsPath.trailingSeparator)
        return resolved.isDirectory ? kErrorAccessDenied : posix::kErrorInvalidName;
    if (resolved.isDirectory)
        return kErrorAccessDenied;
    if (!resolved.exists && creation == FileCreation::OpenExisting)
        return kErrorFileNotFound;

    posix::SharingLease lease;
    if (const long status = posix::AcquireSharing(SharingKey(resolved), access, share, lease);
        status != kErrorSuccess)
        return status;

    std::unique_ptr<FileHandle::Impl> handle;
    if (access == FileAccess::Read && creation == FileCreation::OpenExisting) {
        posix::UniqueFd fd(::open(resolved.UnixPath().c_str(), O_RDONLY | O_CLOEXEC));
        if (!fd.IsValid())
            return posix::WindowsErrorFromErrno(errno);
        handle = FileHandle::Impl::ForReading(std::move(fd), std::move(lease));
    } else {
        const bool keepContent = creation == FileCreation::OpenExisting;
        if (const long status =
                FileHandle::Impl::ForWriting(resolved.UnixPath(), keepContent, std::move(lease), handle);
            status != kErrorSuccess)
            return status;
    }
    result = FileHandle(std::move(handle));
    return kErrorSuccess;
}

long ReadToEnd(FileHandle& file, std::string& bytes) {
    return file.IsOpen() ? file.impl().ReadToEnd(bytes) : kErrorInvalidHandle;
}

long WriteBytes(FileHandle& file, std::string_view bytes) {
    return file.IsOpen() ? file.impl().Write(bytes) : kErrorInvalidHandle;
}

long SeekToStart(FileHandle& file) {
    return file.IsOpen() ? file.impl().SeekToStart() : kErrorInvalidHandle;
}

long TruncateAtPosition(FileHandle& file) {
    return file.IsOpen() ? file.impl().TruncateAtPosition() : kErrorInvalidHandle;
}

long CloseFile(FileHandle& file) {
    if (!file.IsOpen())
        return kErrorSuccess;
    const long status = file.impl().Close();
    file = FileHandle();
    return status;
}

} // namespace platform
