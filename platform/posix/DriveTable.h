#pragma once
// The drives of a Wine prefix: the links in <prefix>/dosdevices ("c:" -> "../drive_c", "z:" -> "/"),
// from a Windows drive letter to its unix folder and from a unix path back to the Windows path that
// Wine shows for it.

#include "WindowsPathSyntax.h"

#include <filesystem>
#include <optional>

namespace platform::posix {

class DriveTable {
  public:
    explicit DriveTable(std::filesystem::path prefixFolder);

    // The unix folder of the drive (its dosdevices link); nullopt when the prefix has no such drive.
    std::optional<std::filesystem::path> Root(char drive) const;
    // The Windows path of an absolute unix path: the deepest folder on its way that is the root of a
    // drive names the drive (the first letter when several drives share that root), as Wine maps it.
    // nullopt when no drive holds the path.
    std::optional<AbsoluteWindowsPath> ToWindows(const std::filesystem::path& unixPath) const;
    // The process's current folder as a Windows path; the Z: drive's view when no drive holds it.
    AbsoluteWindowsPath CurrentDirectory() const;

  private:
    std::filesystem::path dosdevices_;
};

} // namespace platform::posix
