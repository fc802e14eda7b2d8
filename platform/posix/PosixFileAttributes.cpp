// GetFileAttributesA and SetFileAttributesA as Wine answers them for unix files, and FindFirstFileA's
// view of a path (FileExists).

#include "MachineDrives.h"
#include "PathResolver.h"
#include "TextEncoding.h"
#include "WildcardMatch.h"
#include "WineFileAttributes.h"
#include "platform/Files.h"
#include "platform/Win32Constants.h"
#include "registry/AnsiCodePage.h"

#include <algorithm>
#include <cstring>
#include <dirent.h>
#include <memory>
#include <sys/stat.h>
#include <vector>

namespace platform {

namespace {

struct DirCloser {
    void operator()(DIR* dir) const { ::closedir(dir); }
};

// The folder's entries in the order Wine lists them: "." and ".." first, then the names sorted
// without regard to case (upper-cased).
std::vector<std::string> ListFolder(const std::filesystem::path& folder) {
    std::vector<std::string> names;
    const std::unique_ptr<DIR, DirCloser> dir(::opendir(folder.c_str()));
    if (!dir)
        return names;
    while (const dirent* entry = ::readdir(dir.get())) {
        if (std::strcmp(entry->d_name, ".") != 0 && std::strcmp(entry->d_name, "..") != 0)
            names.emplace_back(entry->d_name);
    }
    const auto upper = [](const std::string& name) {
        std::u16string text = posix::Utf8ToUtf16(name);
        for (char16_t& unit : text) {
            if (unit >= u'a' && unit <= u'z')
                unit = static_cast<char16_t>(unit - 32);
        }
        return text;
    };
    std::stable_sort(names.begin(), names.end(),
                     [&](const std::string& a, const std::string& b) { return upper(a) < upper(b); });
    names.insert(names.begin(), {".", ".."});
    return names;
}

} // namespace

bool FileExists(const std::string& path) {
    posix::ResolvedPath resolved;
    if (posix::ResolvePath(posix::MachineDrives(), path, posix::LastComponent::Pattern, resolved) !=
        kErrorSuccess)
        return false;
    if (resolved.windowsPath.trailingSeparator || resolved.lastName.empty())
        return false;
    std::string found;
    if (posix::HasWildcard(resolved.lastName)) {
        const std::u16string pattern = posix::AnsiToUtf16(resolved.lastName);
        for (const std::string& name : ListFolder(resolved.folder)) {
            if (posix::MatchesWildcard(posix::Utf8ToUtf16(name), pattern)) {
                found = name;
                break;
            }
        }
    } else if (const auto entry = posix::FindEntryIgnoringCase(resolved.folder, resolved.lastName)) {
        found = *entry;
    }
    struct stat info {};
    return !found.empty() && ::stat((resolved.folder / found).c_str(), &info) == 0 && !S_ISDIR(info.st_mode);
}

std::uint32_t GetFileAttributesOf(const std::string& path) {
    const std::optional<posix::ResolvedPath> resolved = posix::ResolveExisting(posix::MachineDrives(), path);
    struct stat info {};
    if (!resolved || ::stat(resolved->UnixPath().c_str(), &info) != 0)
        return kInvalidFileAttributes;
    return posix::WineAttributesOf(resolved->UnixPath(), resolved->lastName, info);
}

bool SetFileAttributesOf(const std::string& path, std::uint32_t attributes) {
    const std::optional<posix::ResolvedPath> resolved = posix::ResolveExisting(posix::MachineDrives(), path);
    struct stat info {};
    if (!resolved || ::stat(resolved->UnixPath().c_str(), &info) != 0)
        return false;
    return posix::SetWineAttributes(resolved->UnixPath(), info, attributes);
}

} // namespace platform
