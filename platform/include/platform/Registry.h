#pragma once
// Thin registry calls, one per advapi32 call the program makes (the "A" forms: names and string data
// are byte strings in the ANSI code page). Every call returns a Windows error code (kErrorSuccess on
// success) and leaves its outputs unchanged when it fails.
//
// win32: forwards to advapi32; a 32-bit process on 64-bit Windows sees the 32-bit registry views.
// posix: works on the hives of the current Machine (Machine.h) as Wine presents them to a 32-bit
//        program: the Wow6432Node redirection of a 64-bit prefix, HKEY_CLASSES_ROOT over
//        HKLM\Software\Classes, symbolic links, and Wine's value order.

#include <cstdint>
#include <string>
#include <vector>

namespace platform {

// An open key or a predefined root; the value of a predefined root is its Windows HKEY value.
struct RegKeyHandle {
    std::uintptr_t value = 0;
    friend bool operator==(RegKeyHandle, RegKeyHandle) = default;
};

inline constexpr RegKeyHandle kHkeyClassesRoot{0x80000000u};
inline constexpr RegKeyHandle kHkeyCurrentUser{0x80000001u};
inline constexpr RegKeyHandle kHkeyLocalMachine{0x80000002u};

struct RegKeyInfo {
    std::uint32_t subKeyCount = 0;
    std::uint32_t maxSubKeyNameLength = 0;
    std::uint32_t valueCount = 0;
    std::uint32_t maxValueNameLength = 0;
    std::uint32_t maxValueDataLength = 0;
};

// RegOpenKeyExA.
[[nodiscard]] long OpenRegKey(RegKeyHandle parent, const std::string& subKey, std::uint32_t access,
                              RegKeyHandle& result);
// RegCreateKeyExA (non-volatile): opens the key, creating it and its missing parents.
[[nodiscard]] long CreateRegKey(RegKeyHandle parent, const std::string& subKey, std::uint32_t access,
                                RegKeyHandle& result);
// RegCloseKey.
long CloseRegKey(RegKeyHandle key);
// RegQueryInfoKeyA.
[[nodiscard]] long QueryRegKeyInfo(RegKeyHandle key, RegKeyInfo& info);
// RegEnumValueA, the name only, at a zero-based index; kErrorNoMoreItems past the last.
[[nodiscard]] long EnumRegValueName(RegKeyHandle key, std::uint32_t index, std::string& name);
// RegEnumKeyExA, the name only.
[[nodiscard]] long EnumRegSubKeyName(RegKeyHandle key, std::uint32_t index, std::string& name);
// RegQueryValueExA: type and whole data (string types converted to the ANSI code page, with their
// terminating NUL as the system stores it). kErrorFileNotFound when there is no such value.
[[nodiscard]] long QueryRegValue(RegKeyHandle key, const std::string& name, std::uint32_t& type,
                                 std::vector<std::uint8_t>& data);
// RegSetValueExA.
[[nodiscard]] long WriteRegValue(RegKeyHandle key, const std::string& name, std::uint32_t type,
                                 const std::vector<std::uint8_t>& data);
// RegDeleteValueA.
[[nodiscard]] long DeleteRegValue(RegKeyHandle key, const std::string& name);
// RegDeleteKeyA: deletes a key that has no subkeys.
[[nodiscard]] long DeleteRegKey(RegKeyHandle parent, const std::string& subKey);

} // namespace platform
