#pragma once
// The sharing modes of open files (the dwShareMode of CreateFileA) within this process: an open
// that conflicts with a handle already open on the same file fails with ERROR_SHARING_VIOLATION,
// as Windows and Wine refuse it.

#include "platform/Files.h"

#include <string>

namespace platform::posix {

// The claim of one open handle on its file; released by its destructor.
class SharingLease {
  public:
    SharingLease() noexcept = default;
    SharingLease(SharingLease&& other) noexcept;
    SharingLease& operator=(SharingLease&& other) noexcept;
    SharingLease(const SharingLease&) = delete;
    SharingLease& operator=(const SharingLease&) = delete;
    ~SharingLease();

  private:
    friend long AcquireSharing(const std::string&, FileAccess, FileShare, SharingLease&);
    void Release() noexcept;
    unsigned long id_ = 0;
};

// Claims the file named by key (its canonical unix path) for a handle with the given access and
// sharing; kErrorSharingViolation, leaving lease alone, when an open handle's sharing does not allow
// this access or this sharing does not allow an open handle's access.
long AcquireSharing(const std::string& key, FileAccess access, FileShare share, SharingLease& lease);

} // namespace platform::posix
