// GetFileVersionInfoA and VerQueryValueA on "\": the file found through the prefix's drives and
// read by our own PE reader.

#include "MachineDrives.h"
#include "PathResolver.h"
#include "PeVersionReader.h"
#include "UniqueFd.h"
#include "platform/VersionInfo.h"
#include "platform/Win32Constants.h"

#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>

namespace platform {

namespace {

// A file mapped for reading, unmapped by its destructor.
class MappedFile {
  public:
    explicit MappedFile(int fd) {
        struct stat info {};
        if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode) || info.st_size <= 0)
            return;
        void* address =
            ::mmap(nullptr, static_cast<std::size_t>(info.st_size), PROT_READ, MAP_PRIVATE, fd, 0);
        if (address == MAP_FAILED)
            return;
        address_ = address;
        size_ = static_cast<std::size_t>(info.st_size);
    }
    MappedFile(const MappedFile&) = delete;
    MappedFile& operator=(const MappedFile&) = delete;
    ~MappedFile() {
        if (address_ != nullptr)
            ::munmap(address_, size_);
    }

    std::span<const std::uint8_t> Bytes() const {
        return {static_cast<const std::uint8_t*>(address_), address_ != nullptr ? size_ : 0};
    }

  private:
    void* address_ = nullptr;
    std::size_t size_ = 0;
};

} // namespace

std::optional<ProductVersion> ReadProductVersion(const std::string& path) {
    const std::optional<posix::ResolvedPath> resolved = posix::ResolveExisting(posix::MachineDrives(), path);
    if (!resolved || resolved->isDirectory)
        return std::nullopt;
    const posix::UniqueFd fd(::open(resolved->UnixPath().c_str(), O_RDONLY | O_CLOEXEC));
    if (!fd.IsValid())
        return std::nullopt;
    const MappedFile file(fd.Get());
    return posix::ReadPeProductVersion(file.Bytes());
}

} // namespace platform
