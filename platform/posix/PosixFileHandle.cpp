#include "PosixFileHandle.h"

#include "PosixErrors.h"
#include "WineFileAttributes.h"
#include "platform/Win32Constants.h"

#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace platform {

namespace {

using posix::UniqueFd;
using posix::WindowsErrorFromErrno;

long LastError() {
    return WindowsErrorFromErrno(errno);
}

// A fresh temporary file beside target, named so that it stays out of the way (a dot file).
long CreateTemporaryBeside(const std::filesystem::path& target, std::filesystem::path& temporary,
                           UniqueFd& fd) {
    std::string name = target.filename().string();
    if (name.size() > 200)
        name.resize(200);
    std::string pattern = (target.parent_path() / ("." + name + ".vektmp.XXXXXX")).string();
    std::vector<char> buffer(pattern.begin(), pattern.end());
    buffer.push_back('\0');
    const int created = ::mkostemp(buffer.data(), O_CLOEXEC);
    if (created < 0)
        return LastError();
    fd.Reset(created);
    temporary = buffer.data();
    return kErrorSuccess;
}

long CopyContent(int from, int to) {
    char buffer[65536];
    for (;;) {
        const ssize_t got = ::read(from, buffer, sizeof buffer);
        if (got < 0) {
            if (errno == EINTR)
                continue;
            return LastError();
        }
        if (got == 0)
            return kErrorSuccess;
        for (ssize_t done = 0; done < got;) {
            const ssize_t put = ::write(to, buffer + done, static_cast<std::size_t>(got - done));
            if (put < 0) {
                if (errno == EINTR)
                    continue;
                return LastError();
            }
            done += put;
        }
    }
}

} // namespace

std::unique_ptr<FileHandle::Impl> FileHandle::Impl::ForReading(UniqueFd fd, posix::SharingLease lease) {
    auto handle = std::make_unique<Impl>();
    handle->fd_ = std::move(fd);
    handle->lease_ = std::move(lease);
    return handle;
}

long FileHandle::Impl::ForWriting(const std::filesystem::path& target, bool keepContent,
                                  posix::SharingLease lease, std::unique_ptr<Impl>& result) {
    auto handle = std::make_unique<Impl>();
    handle->writes_ = true;
    handle->lease_ = std::move(lease);
    handle->target_ = target;

    struct stat info {};
    UniqueFd original;
    if (::stat(target.c_str(), &info) == 0) {
        // A read-only file stays unwritable whoever runs the program, as on Windows.
        if (S_ISDIR(info.st_mode) || (info.st_mode & 0222) == 0)
            return kErrorAccessDenied;
        // Opening the file itself proves the right to write it, and gives its content.
        original.Reset(::open(target.c_str(), (keepContent ? O_RDWR : O_WRONLY) | O_CLOEXEC));
        if (!original.IsValid())
            return LastError();
        std::error_code error;
        const std::filesystem::path real = std::filesystem::canonical(target, error);
        if (!error)
            handle->target_ = real;
        handle->mode_ = info.st_mode & 07777;
        handle->owner_ = info.st_uid;
        handle->group_ = info.st_gid;
        handle->mustCommit_ = !keepContent;
    } else {
        handle->mode_ = posix::CreationMode();
        handle->mustCommit_ = true;
    }

    if (const long status = CreateTemporaryBeside(handle->target_, handle->temporary_, handle->fd_);
        status != kErrorSuccess)
        return status;
    if (keepContent && original.IsValid()) {
        long status = CopyContent(original.Get(), handle->fd_.Get());
        if (status == kErrorSuccess && ::lseek(handle->fd_.Get(), 0, SEEK_SET) < 0)
            status = LastError();
        if (status != kErrorSuccess)
            return status; // the destructor removes the temporary file
    }
    result = std::move(handle);
    return kErrorSuccess;
}

FileHandle::Impl::~Impl() {
    (void)Close();
}

long FileHandle::Impl::ReadToEnd(std::string& bytes) {
    std::string content;
    char buffer[65536];
    for (;;) {
        const ssize_t got = ::read(fd_.Get(), buffer, sizeof buffer);
        if (got < 0) {
            if (errno == EINTR)
                continue;
            return LastError();
        }
        if (got == 0)
            break;
        content.append(buffer, static_cast<std::size_t>(got));
    }
    bytes = std::move(content);
    return kErrorSuccess;
}

long FileHandle::Impl::Write(std::string_view bytes) {
    if (!writes_)
        return kErrorAccessDenied;
    mustCommit_ = true;
    while (!bytes.empty()) {
        const ssize_t put = ::write(fd_.Get(), bytes.data(), bytes.size());
        if (put < 0) {
            if (errno == EINTR)
                continue;
            return LastError();
        }
        bytes.remove_prefix(static_cast<std::size_t>(put));
    }
    return kErrorSuccess;
}

long FileHandle::Impl::SeekToStart() {
    return ::lseek(fd_.Get(), 0, SEEK_SET) < 0 ? LastError() : kErrorSuccess;
}

long FileHandle::Impl::TruncateAtPosition() {
    if (!writes_)
        return kErrorAccessDenied;
    const off_t position = ::lseek(fd_.Get(), 0, SEEK_CUR);
    if (position < 0 || ::ftruncate(fd_.Get(), position) != 0)
        return LastError();
    mustCommit_ = true;
    return kErrorSuccess;
}

long FileHandle::Impl::Close() {
    if (!fd_.IsValid())
        return kErrorSuccess;
    long status = kErrorSuccess;
    if (writes_) {
        status = Commit();
        if (status != kErrorSuccess)
            (void)::unlink(temporary_.c_str());
    }
    fd_.Reset();
    lease_ = posix::SharingLease();
    return status;
}

void FileHandle::Impl::Abandon() {
    if (writes_ && fd_.IsValid())
        (void)::unlink(temporary_.c_str());
    fd_.Reset();
    lease_ = posix::SharingLease();
}

long FileHandle::Impl::Commit() {
    const int fd = fd_.Get();
    if (!mustCommit_)
        return ::unlink(temporary_.c_str()) == 0 ? kErrorSuccess : LastError();
    mode_t mode = mode_;
    if (commitReadOnly_.value_or(false))
        mode &= ~static_cast<mode_t>(0222);
    if (owner_ && group_)
        (void)::fchown(fd, *owner_, *group_); // only root or the owner may; the content matters more
    if (::fchmod(fd, mode) != 0)
        return LastError();
    posix::CopyKeptAttributes(target_, fd);
    if (commitModificationTime_) {
        const timespec times[2] = {{0, UTIME_OMIT}, *commitModificationTime_};
        (void)::futimens(fd, times);
    }
    if (::fsync(fd) != 0)
        return LastError();
    if (::rename(temporary_.c_str(), target_.c_str()) != 0)
        return LastError();
    return kErrorSuccess;
}

} // namespace platform
