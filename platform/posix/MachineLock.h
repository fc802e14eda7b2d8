#pragma once
// Guards against other writers of a prefix's hives: a second run of this program (it waits for the
// first) and Wine's own server (the prefix is refused while it runs, as it would overwrite the edits).

#include <filesystem>
#include <vector>

namespace platform::posix {

// An exclusive lock on the prefix (flock on ".veksetup.lock" inside it), held for the object's life.
class PrefixLock {
  public:
    // Waits until no other run holds the prefix; throws MachineError when the lock file cannot be
    // created.
    explicit PrefixLock(const std::filesystem::path& prefixFolder);
    PrefixLock(const PrefixLock&) = delete;
    PrefixLock& operator=(const PrefixLock&) = delete;
    ~PrefixLock();

  private:
    int fd_ = -1;
};

// The folders in which a Wine server of the prefix keeps its socket and lock, named
// server-<st_dev hex>-<st_ino hex> after the prefix folder: upstream Wine's below /tmp/.wine-<uid>,
// and Debian's below the /tmp folder that the prefix's "wineserver" file names.
std::vector<std::filesystem::path> WineServerFolders(const std::filesystem::path& prefixFolder);

// True while a Wine server runs for the prefix: it holds an fcntl lock on the "lock" file of its folder.
bool IsWineServerRunning(const std::filesystem::path& prefixFolder);

} // namespace platform::posix
