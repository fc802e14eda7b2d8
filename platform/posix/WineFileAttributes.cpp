#include "WineFileAttributes.h"

#include "platform/Win32Constants.h"

#include <cstdio>
#include <cstdlib>
#include <sys/xattr.h>

namespace platform::posix {

namespace {

constexpr std::uint32_t kFileAttributeHidden = 0x02;
constexpr std::uint32_t kFileAttributeSystem = 0x04;
constexpr std::uint32_t kKeptAttributes = kFileAttributeHidden | kFileAttributeSystem;
constexpr const char* kDosAttributesName = "user.DOSATTRIB";

std::uint32_t KeptAttributes(const std::filesystem::path& path) {
    char value[32] = {};
    const ssize_t size = ::getxattr(path.c_str(), kDosAttributesName, value, sizeof value - 1);
    if (size <= 2 || value[0] != '0' || (value[1] != 'x' && value[1] != 'X'))
        return 0;
    return static_cast<std::uint32_t>(std::strtoul(value + 2, nullptr, 16)) & kKeptAttributes;
}

mode_t CurrentUmask() {
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return mask;
}

} // namespace

std::uint32_t WineAttributesOf(const std::filesystem::path& path, const std::string& name,
                               const struct stat& info) {
    std::uint32_t attributes = S_ISDIR(info.st_mode) ? kFileAttributeDirectory : kFileAttributeArchive;
    if ((info.st_mode & 0222) == 0)
        attributes |= kFileAttributeReadOnly;
    if (name.size() > 1 && name[0] == '.' && name != "..")
        attributes |= kFileAttributeHidden;
    return attributes | KeptAttributes(path);
}

bool SetWineAttributes(const std::filesystem::path& path, const struct stat& info, std::uint32_t attributes) {
    mode_t mode = info.st_mode & 07777;
    if (attributes & kFileAttributeReadOnly) {
        if (!S_ISDIR(info.st_mode))
            mode &= ~static_cast<mode_t>(0222);
    } else {
        mode |= (0600 | ((mode & 0044) >> 1)) & ~CurrentUmask();
    }
    if (mode != (info.st_mode & 07777) && ::chmod(path.c_str(), mode) != 0)
        return false;
    if (const std::uint32_t kept = attributes & kKeptAttributes; kept != 0) {
        char value[16];
        const int length = std::snprintf(value, sizeof value, "0x%x", static_cast<unsigned>(kept));
        (void)::setxattr(path.c_str(), kDosAttributesName, value, static_cast<std::size_t>(length), 0);
    } else {
        (void)::removexattr(path.c_str(), kDosAttributesName);
    }
    return true;
}

void CopyKeptAttributes(const std::filesystem::path& from, int toDescriptor) {
    char value[64];
    const ssize_t size = ::getxattr(from.c_str(), kDosAttributesName, value, sizeof value);
    if (size > 0)
        (void)::fsetxattr(toDescriptor, kDosAttributesName, value, static_cast<std::size_t>(size), 0);
}

mode_t CreationMode() {
    return 0666 & ~CurrentUmask();
}

} // namespace platform::posix
