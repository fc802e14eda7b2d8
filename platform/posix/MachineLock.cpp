#include "MachineLock.h"

#include "platform/Exceptions.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <fstream>
#include <string>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

namespace platform::posix {

namespace {

constexpr const char* kLockFileName = ".veksetup.lock";

// Closes a descriptor when it goes out of scope.
class FileDescriptor {
  public:
    explicit FileDescriptor(int fd) : fd_(fd) {}
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;
    ~FileDescriptor() {
        if (fd_ >= 0)
            ::close(fd_);
    }
    int Get() const { return fd_; }
    int Release() { return std::exchange(fd_, -1); }

  private:
    int fd_;
};

} // namespace

PrefixLock::PrefixLock(const std::filesystem::path& prefixFolder) {
    const std::filesystem::path lockPath = prefixFolder / kLockFileName;
    FileDescriptor fd(::open(lockPath.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0644));
    if (fd.Get() < 0)
        throw MachineError("Cannot create the lock file " + lockPath.string() + ": " + std::strerror(errno));
    int result = 0;
    do {
        result = ::flock(fd.Get(), LOCK_EX);
    } while (result != 0 && errno == EINTR);
    if (result != 0)
        throw MachineError("Cannot lock the prefix " + prefixFolder.string() + ": " + std::strerror(errno));
    fd_ = fd.Release();
}

PrefixLock::~PrefixLock() {
    if (fd_ >= 0)
        ::close(fd_); // closing the last descriptor releases the flock
}

std::vector<std::filesystem::path> WineServerFolders(const std::filesystem::path& prefixFolder) {
    struct stat info {};
    if (::stat(prefixFolder.c_str(), &info) != 0)
        return {};
    char name[64];
    std::snprintf(name, sizeof(name), "server-%llx-%llx", static_cast<unsigned long long>(info.st_dev),
                  static_cast<unsigned long long>(info.st_ino));
    std::vector<std::filesystem::path> folders = {std::filesystem::path("/tmp") /
                                                  (".wine-" + std::to_string(::getuid())) / name};
    std::ifstream named(prefixFolder / "wineserver");
    std::string base;
    if (std::getline(named, base) && !base.empty())
        folders.push_back(std::filesystem::path("/tmp") / base / name);
    return folders;
}

namespace {

bool HoldsServerLock(const std::filesystem::path& serverFolder) {
    FileDescriptor fd(::open((serverFolder / "lock").c_str(), O_RDONLY | O_CLOEXEC));
    if (fd.Get() < 0)
        return false;
    struct flock probe {};
    probe.l_type = F_WRLCK;
    probe.l_whence = SEEK_SET;
    probe.l_start = 0;
    probe.l_len = 0;
    return ::fcntl(fd.Get(), F_GETLK, &probe) == 0 && probe.l_type != F_UNLCK;
}

} // namespace

bool IsWineServerRunning(const std::filesystem::path& prefixFolder) {
    for (const auto& folder : WineServerFolders(prefixFolder))
        if (HoldsServerLock(folder))
            return true;
    return false;
}

} // namespace platform::posix
