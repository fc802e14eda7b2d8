#include "FileSharing.h"

#include "platform/Win32Constants.h"

#include <map>
#include <utility>

namespace platform::posix {

namespace {

struct OpenHandle {
    std::string key;
    FileAccess access;
    FileShare share;
};

// The handles open in this process, as the system keeps them for its sharing checks.
std::map<unsigned long, OpenHandle>& OpenHandles() {
    static std::map<unsigned long, OpenHandle> handles;
    return handles;
}

bool Writes(FileAccess access) {
    return access == FileAccess::ReadWrite;
}
// Every handle of the program reads; FileShare::Read lets others read, never write.
bool SharesWrite(FileShare) {
    return false;
}
bool SharesRead(FileShare share) {
    return share == FileShare::Read;
}

bool Conflicts(const OpenHandle& open, FileAccess access, FileShare share) {
    if (!SharesRead(open.share) || (Writes(access) && !SharesWrite(open.share)))
        return true;
    return !SharesRead(share) || (Writes(open.access) && !SharesWrite(share));
}

} // namespace

SharingLease::SharingLease(SharingLease&& other) noexcept : id_(std::exchange(other.id_, 0)) {}

SharingLease& SharingLease::operator=(SharingLease&& other) noexcept {
    if (this != &other) {
        Release();
        id_ = std::exchange(other.id_, 0);
    }
    return *this;
}

SharingLease::~SharingLease() {
    Release();
}

void SharingLease::Release() noexcept {
    if (id_ != 0)
        OpenHandles().erase(std::exchange(id_, 0));
}

long AcquireSharing(const std::string& key, FileAccess access, FileShare share, SharingLease& lease) {
    static unsigned long nextId = 0;
    auto& handles = OpenHandles();
    for (const auto& [id, open] : handles) {
        if (open.key == key && Conflicts(open, access, share))
            return kErrorSharingViolation;
    }
    SharingLease acquired;
    acquired.id_ = ++nextId;
    handles.emplace(acquired.id_, OpenHandle{key, access, share});
    lease = std::move(acquired);
    return kErrorSuccess;
}

} // namespace platform::posix
