#pragma once
// ";"-separated list values of the registry under HKEY_CURRENT_USER (search paths, namespace lists).

#include <string>

namespace kosetup {

// Adds Entry to the list value ValueName of Key (unless an entry equal to it without regard to case
// is there), or with Remove takes out every such entry. A missing key is no error: nothing happens.
void EditListValue(const std::string& key, const std::string& valueName, const std::string& entry, bool remove);

} // namespace kosetup
