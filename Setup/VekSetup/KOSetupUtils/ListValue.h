#pragma once
// ";"-separated list values of the registry under HKEY_CURRENT_USER (search paths, namespace lists).

#include <string>
#include <vector>

namespace kosetup {

// Adds Entry to the list value ValueName of Key (unless an entry equal to it without regard to case
// is there), or with Remove takes out every such entry. A missing key is no error: nothing happens.
// Adding an entry that is present writes nothing; every other call rewrites the value as a plain
// string without empty segments. A value of a non-string type raises "Invalid data type for '...'".
void EditListValue(const std::string& key, const std::string& valueName, const std::string& entry,
                   bool remove);

// Text to entries: every ";" ends an entry, kept even when empty; the text after the last ";" is an
// entry only when it is not empty ("a;;b" is a, "", b; "a;" is a; "" is no entry).
std::vector<std::string> SplitListValue(const std::string& text);
// Entries to text: the non-empty entries joined by ";".
std::string JoinListValue(const std::vector<std::string>& entries);

} // namespace kosetup
