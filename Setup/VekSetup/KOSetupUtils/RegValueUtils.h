#pragma once
// Small operations on single registry values; each uses its own registry object. Keys that cannot
// be opened and values that do not exist are no error: the operation does nothing or yields its
// empty result. Registry read and write errors (ERegistryException) reach the caller.

#include "platform/Registry.h"

#include <cstdint>
#include <string>
#include <variant>

namespace kosetup {

// A registry read result: a text or a signed 32-bit integer; an empty text means nothing was read.
using RegValue = std::variant<std::string, std::int32_t>;

// True when the result holds nothing: the empty text.
bool IsEmptyRegValue(const RegValue& value);

// Replaces (or with Uninstall removes) the string value Name of Key under Root: every value whose
// name equals Name without regard to case (locale rules) is deleted first. CanCreate creates the key
// and its parents, in both modes. With Name and Value both empty nothing is written.
void SetRegValue(const std::string& key, const std::string& name, const std::string& value, bool uninstall,
                 bool canCreate, platform::RegKeyHandle root);
// Deletes every value of Key (HKEY_CURRENT_USER) whose name contains Text, both upper-cased under the
// user's locale. An empty Text deletes nothing.
void DeleteValuesContaining(const std::string& key, const std::string& text);
// A REG_SZ value as its text, a REG_DWORD as its integer; every other type, or nothing, as empty text.
RegValue ReadRegValue(const std::string& key, const std::string& name, platform::RegKeyHandle root);
// The first value of Key whose name contains Text (case-sensitive), read as ReadRegValue reads it.
RegValue FindRegValue(const std::string& key, const std::string& text, platform::RegKeyHandle root);
// True when IdeKey (HKEY_CURRENT_USER) belongs to an Appmethod installation: "ProductVersion" of
// "\Maintenance" or the default value of "\Personalities" reads "appmethod" in any ASCII case.
// A non-string value there raises "Invalid data type for '...'".
bool IsAppmethodIde(const std::string& ideKey);
// Rebuilds IdeKey\AssemblyFolders\Name (HKEY_CURRENT_USER) from nothing with Folder as its default
// value, or with Uninstall deletes it with its subkeys.
void SetAssemblyFolder(const std::string& ideKey, const std::string& folder, const std::string& name,
                       bool uninstall);

} // namespace kosetup
