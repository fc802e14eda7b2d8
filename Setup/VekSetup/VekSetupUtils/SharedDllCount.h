#pragma once
// The system's reference count of a shared file.

#include <cstdint>
#include <string>

namespace veksetup {

// The count of FileName (a full path) in the system's shared-DLL list (the key "SharedDLLs" of
// HKEY_LOCAL_MACHINE): a string converted as an integer text (a non-integer raises the conversion error), an
// integer as it is, 1 to 4 bytes of binary data as a little-endian number; 0 for anything else, and
// when the file is not listed.
std::int32_t SharedDllCount(const std::string& fileName);

} // namespace veksetup
