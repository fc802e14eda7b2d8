#pragma once
// The posix backend's open file. A handle that reads works on the file itself. A handle that writes
// works on a temporary copy in the same folder, which replaces the file atomically when the handle
// is closed: a run that ends midway never leaves a half-written file.

#include "FileSharing.h"
#include "UniqueFd.h"
#include "platform/Files.h"

#include <ctime>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <sys/types.h>

namespace platform {

class FileHandle::Impl {
  public:
    // A handle that reads the open file fd.
    static std::unique_ptr<Impl> ForReading(posix::UniqueFd fd, posix::SharingLease lease);
    // A handle that writes target (existing: with its content, mode and owner; CreateAlways: empty).
    // Returns a Windows error code; result is set on success only.
    static long ForWriting(const std::filesystem::path& target, bool keepContent, posix::SharingLease lease,
                           std::unique_ptr<Impl>& result);

    Impl() = default;
    Impl(const Impl&) = delete;
    Impl& operator=(const Impl&) = delete;
    ~Impl();

    long ReadToEnd(std::string& bytes);
    long Write(std::string_view bytes);
    long SeekToStart();
    long TruncateAtPosition();
    // Closes the handle; a writing handle replaces its file now. Returns a Windows error code.
    long Close();
    // Closes the handle without changing its file: a writing handle's work is thrown away.
    void Abandon();

    // For a copy: the file gets this read-only state and modification time when it is committed.
    void SetCommitReadOnly(bool readOnly) { commitReadOnly_ = readOnly; }
    void SetCommitModificationTime(const timespec& time) { commitModificationTime_ = time; }
    int Descriptor() const { return fd_.Get(); }

  private:
    long Commit();

    posix::UniqueFd fd_;
    posix::SharingLease lease_;
    // Writing handles only.
    std::filesystem::path target_;
    std::filesystem::path temporary_;
    bool writes_ = false;
    bool mustCommit_ = false; // created or changed
    mode_t mode_ = 0;
    std::optional<uid_t> owner_;
    std::optional<gid_t> group_;
    std::optional<bool> commitReadOnly_;
    std::optional<timespec> commitModificationTime_;
};

} // namespace platform
