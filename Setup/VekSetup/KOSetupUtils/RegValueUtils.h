#pragma once
// Small operations on single registry values; each uses its own registry object.

#include "platform/Registry.h"

#include <cstdint>
#include <string>
#include <variant>

namespace kosetup {

// A registry read result: a text or a signed 32-bit integer; an empty text means nothing was read.
using RegValue = std::variant<std::string, std::int32_t>;

// Replaces (or with Uninstall removes) the string value Name of Key under Root.
void SetRegValue(const std::string& key, const std::string& name, const std::string& value, bool uninstall,
                 bool canCreate, platform::RegKeyHandle root);
// Deletes every value of Key (HKEY_CURRENT_USER) whose name contains Text, ignoring case.
void DeleteValuesContaining(const std::string& key, const std::string& text);
RegValue ReadRegValue(const std::string& key, const std::string& name, platform::RegKeyHandle root);
// The first value of Key whose name contains Text (case-sensitive), read as ReadRegValue reads it.
RegValue FindRegValue(const std::string& key, const std::string& text, platform::RegKeyHandle root);
bool IsAppmethodIde(const std::string& ideKey);
void SetAssemblyFolder(const std::string& ideKey, const std::string& folder, const std::string& name,
                       bool uninstall);

} // namespace kosetup
