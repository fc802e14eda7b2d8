#pragma once
// The text rules of Windows paths, as Wine applies them before it looks at any file: forward and
// back slashes alike, a path made absolute against the current directory, "." and ".." resolved
// without ever rising above the drive's root, empty components dropped, and trailing dots and
// blanks cut from every component. Pure text; the file system is not consulted.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace platform::posix {

struct AbsoluteWindowsPath {
    char drive = 'C'; // upper case
    std::vector<std::string> components;
    bool trailingSeparator = false; // the path as written ended in a separator

    // "C:\a\b", or "C:\" for the root; the trailing separator is not repeated.
    std::string ToString() const;
    friend bool operator==(const AbsoluteWindowsPath&, const AbsoluteWindowsPath&) = default;
};

// Parses a drive path ("C:\a"), a drive-relative path ("C:a", against the current directory when
// that is on the same drive, else against the drive's root), a rooted path ("\a", on the current
// drive) or a relative path ("a"), with an optional "\\?\" prefix. nullopt for an empty path and for
// the forms the emulation has no place for: network (UNC) and device paths.
std::optional<AbsoluteWindowsPath> MakeAbsolute(std::string_view path,
                                                const AbsoluteWindowsPath& currentDirectory);

// True when the path names its drive and starts at its root ("C:\a", "\\?\C:\a"): the current
// directory plays no part in it.
bool IsFullyQualified(std::string_view path);

// True when a name holds a character that Windows file names may not hold (control characters and
// < > | "), or a wildcard (* ?) where wildcards are not allowed.
bool HasInvalidNameCharacter(std::string_view name, bool allowWildcards);
bool HasWildcard(std::string_view name);

} // namespace platform::posix
