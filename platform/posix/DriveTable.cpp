#include "DriveTable.h"

#include "TextEncoding.h"

#include <string>
#include <sys/stat.h>
#include <utility>
#include <vector>

namespace platform::posix {

namespace {

std::string DeviceName(char drive) {
    return std::string{static_cast<char>(drive >= 'A' && drive <= 'Z' ? drive - 'A' + 'a' : drive), ':'};
}

struct DriveRoot {
    char drive;
    dev_t device;
    ino_t inode;
};

// Windows components for the unix components of a path below a drive's root.
std::vector<std::string> WindowsComponents(const std::filesystem::path& relative) {
    std::vector<std::string> components;
    for (const auto& part : relative) {
        const std::string name = part.string();
        if (!name.empty() && name != "." && name != "/")
            components.push_back(Utf8ToAnsi(name));
    }
    return components;
}

} // namespace

DriveTable::DriveTable(std::filesystem::path prefixFolder)
    : dosdevices_(std::move(prefixFolder) / "dosdevices") {}

std::optional<std::filesystem::path> DriveTable::Root(char drive) const {
    std::filesystem::path root = dosdevices_ / DeviceName(drive);
    struct stat info {};
    if (::stat(root.c_str(), &info) != 0 || !S_ISDIR(info.st_mode))
        return std::nullopt;
    return root;
}

std::optional<AbsoluteWindowsPath> DriveTable::ToWindows(const std::filesystem::path& unixPath) const {
    std::vector<DriveRoot> roots;
    for (char drive = 'A'; drive <= 'Z'; ++drive) {
        struct stat info {};
        const std::filesystem::path root = dosdevices_ / DeviceName(drive);
        if (::stat(root.c_str(), &info) == 0 && S_ISDIR(info.st_mode))
            roots.push_back({drive, info.st_dev, info.st_ino});
    }
    if (roots.empty())
        return std::nullopt;

    const std::filesystem::path path = unixPath.lexically_normal();
    for (std::filesystem::path folder = path;; folder = folder.parent_path()) {
        struct stat info {};
        if (::stat(folder.c_str(), &info) == 0) {
            for (const DriveRoot& root : roots) {
                if (root.device == info.st_dev && root.inode == info.st_ino)
                    return AbsoluteWindowsPath{root.drive, WindowsComponents(path.lexically_relative(folder)),
                                               false};
            }
        }
        if (folder == folder.parent_path())
            return std::nullopt;
    }
}

AbsoluteWindowsPath DriveTable::CurrentDirectory() const {
    std::error_code error;
    const std::filesystem::path current = std::filesystem::current_path(error);
    if (!error) {
        if (auto windows = ToWindows(current))
            return *windows;
    }
    return AbsoluteWindowsPath{'Z', WindowsComponents(current.relative_path()), false};
}

} // namespace platform::posix
