#pragma once
// Finding a key by path as the Wine server finds it for a 32-bit program: the path is walked one
// name at a time, without regard to case; symbolic links (#link keys with "SymbolicLinkValue") are
// followed; in a 64-bit prefix a key that has a Wow6432Node subkey shows that subkey's contents
// instead (HKLM\Software\X is Software\Wow6432Node\X), and Software\Classes\Wow6432Node is shared
// with Software\Classes: what it lacks is found in (and created in) its 64-bit parent. So
// HKEY_CLASSES_ROOT\CLSID\{...} lands in Software\Classes\Wow6432Node\CLSID, because a Wine prefix
// has that key, while HKEY_CLASSES_ROOT\SomeProgId lands in Software\Classes\SomeProgId.

#include "registry/Hive.h"

#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace platform::posix {

// The value of a link key (#link) that holds its target, "\Registry\Machine\...".
inline constexpr std::u16string_view kSymbolicLinkValueName = u"SymbolicLinkValue";

struct KeyLookupScope {
    const Hive* machine = nullptr;
    const Hive* user = nullptr;
    // True for a 64-bit prefix: the program sees the 32-bit views.
    bool wow64 = false;
};

struct KeyLookupResult {
    long status = 0; // kErrorSuccess, or why the path cannot be walked
    // The deepest existing key on the path (the key itself when `missing` is empty).
    std::shared_ptr<RegistryKey> key;
    // The names of the path below `key` that do not exist.
    std::vector<std::u16string> missing;
};

// Walks `path` from `start` as far as it exists. Fails with kErrorBadPathName for a path that starts
// with a backslash, kErrorInvalidParameter for a name longer than 256 characters and
// kErrorFileNotFound for a link that leads nowhere.
KeyLookupResult LookUpKey(const KeyLookupScope& scope, std::shared_ptr<RegistryKey> start,
                          std::u16string_view path);

// The key a program gets for an existing key it opens: in a 64-bit prefix its Wow6432Node, if any.
std::shared_ptr<RegistryKey> OpenedView(const KeyLookupScope& scope, std::shared_ptr<RegistryKey> key);

} // namespace platform::posix
