#pragma once
// A Windows path found in the prefix as Wine finds it: through the drive links, each component
// matched without regard to case when no entry has exactly its name.

#include "DriveTable.h"
#include "WindowsPathSyntax.h"

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace platform::posix {

enum class LastComponent {
    Name,    // looked up like the folders before it
    Pattern, // a FindFirstFileA pattern: left for the caller to match, wildcards allowed
};

struct ResolvedPath {
    AbsoluteWindowsPath windowsPath;
    std::filesystem::path folder; // the unix folder that holds the last component
    // The unix name of the last component: the entry found, else the name as written (UTF-8); empty
    // when the path is a drive's root. For a pattern, the pattern as written (ANSI).
    std::string lastName;
    bool exists = false;
    bool isDirectory = false;

    std::filesystem::path UnixPath() const { return lastName.empty() ? folder : folder / lastName; }
};

// Resolves the path (up to its first NUL, as the "A" calls read it). kErrorSuccess also when only the
// last component is missing (exists is false then). Errors, as Wine reports them: kErrorInvalidName
// for a character no file name may hold; kErrorPathNotFound for a folder on the way that is missing
// or not a folder, and for paths the emulation has no place for (empty, network, device);
// kErrorFileNotFound for a drive the prefix does not have.
long ResolvePath(const DriveTable& drives, std::string_view windowsPath, LastComponent last,
                 ResolvedPath& result);

// The file or folder the path names, when it exists; a path that ends in a separator names a folder
// only.
std::optional<ResolvedPath> ResolveExisting(const DriveTable& drives, std::string_view windowsPath);

// The entry of folder whose name equals name (ANSI) without regard to case, as Wine compares file
// names; an entry with exactly the name wins. nullopt when there is none.
std::optional<std::string> FindEntryIgnoringCase(const std::filesystem::path& folder, std::string_view name);

// Equality of two UTF-16 names without regard to case, as Wine compares file names.
bool NamesEqualIgnoringCase(std::u16string_view a, std::u16string_view b);

} // namespace platform::posix
