#include "PathResolver.h"

#include "PosixErrors.h"
#include "TextEncoding.h"
#include "platform/Win32Constants.h"
#include "registry/WineCase.h"

#include <cstring>
#include <dirent.h>
#include <memory>
#include <sys/stat.h>

namespace platform::posix {

namespace {

struct DirCloser {
    void operator()(DIR* dir) const { ::closedir(dir); }
};

bool IsDirectory(const std::filesystem::path& path) {
    struct stat info {};
    return ::stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

bool EntryExists(const std::filesystem::path& path) {
    struct stat info {};
    return ::lstat(path.c_str(), &info) == 0;
}

} // namespace

bool NamesEqualIgnoringCase(std::u16string_view a, std::u16string_view b) {
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (a[i] != b[i] && WineToLower(a[i]) != WineToLower(b[i]))
            return false;
    }
    return true;
}

std::optional<std::string> FindEntryIgnoringCase(const std::filesystem::path& folder, std::string_view name) {
    std::string exact = AnsiToUtf8(name);
    if (EntryExists(folder / exact))
        return exact;
    const std::unique_ptr<DIR, DirCloser> dir(::opendir(folder.c_str()));
    if (!dir)
        return std::nullopt;
    const std::u16string wanted = Utf8ToUtf16(exact);
    while (const dirent* entry = ::readdir(dir.get())) {
        if (std::strcmp(entry->d_name, ".") == 0 || std::strcmp(entry->d_name, "..") == 0)
            continue;
        if (NamesEqualIgnoringCase(Utf8ToUtf16(entry->d_name), wanted))
            return std::string(entry->d_name);
    }
    return std::nullopt;
}

long ResolvePath(const DriveTable& drives, std::string_view windowsPath, LastComponent last,
                 ResolvedPath& result) {
    windowsPath = windowsPath.substr(0, windowsPath.find('\0'));
    // Finding the current directory costs a look at every drive: only a relative path pays for it.
    const AbsoluteWindowsPath current =
        IsFullyQualified(windowsPath) ? AbsoluteWindowsPath{} : drives.CurrentDirectory();
    const std::optional<AbsoluteWindowsPath> absolute = MakeAbsolute(windowsPath, current);
    if (!absolute)
        return kErrorPathNotFound;
    const std::vector<std::string>& components = absolute->components;
    for (std::size_t i = 0; i < components.size(); ++i) {
        const bool isPattern = last == LastComponent::Pattern && i + 1 == components.size();
        if (HasInvalidNameCharacter(components[i], isPattern))
            return kErrorInvalidName;
    }
    const std::optional<std::filesystem::path> root = drives.Root(absolute->drive);
    if (!root)
        return kErrorFileNotFound;

    ResolvedPath resolved;
    resolved.windowsPath = *absolute;
    resolved.folder = *root;
    if (components.empty()) {
        resolved.exists = true;
        resolved.isDirectory = true;
        result = std::move(resolved);
        return kErrorSuccess;
    }
    for (std::size_t i = 0; i + 1 < components.size(); ++i) {
        const std::optional<std::string> entry = FindEntryIgnoringCase(resolved.folder, components[i]);
        if (!entry || !IsDirectory(resolved.folder / *entry))
            return kErrorPathNotFound;
        resolved.folder /= *entry;
    }
    if (!IsDirectory(resolved.folder))
        return kErrorPathNotFound;

    if (last == LastComponent::Pattern) {
        resolved.lastName = components.back();
    } else if (const std::optional<std::string> entry =
                   FindEntryIgnoringCase(resolved.folder, components.back())) {
        resolved.lastName = *entry;
        struct stat info {};
        resolved.exists = ::stat((resolved.folder / *entry).c_str(), &info) == 0;
        resolved.isDirectory = resolved.exists && S_ISDIR(info.st_mode);
    } else {
        resolved.lastName = AnsiToUtf8(components.back());
    }
    result = std::move(resolved);
    return kErrorSuccess;
}

std::optional<ResolvedPath> ResolveExisting(const DriveTable& drives, std::string_view windowsPath) {
    ResolvedPath resolved;
    if (ResolvePath(drives, windowsPath, LastComponent::Name, resolved) != kErrorSuccess ||
        !resolved.exists || (resolved.windowsPath.trailingSeparator && !resolved.isDirectory))
        return std::nullopt;
    return resolved;
}

} // namespace platform::posix
