#pragma once
// Shell folders (SHGetFolderPathA, SHGetSpecialFolderPathA). Paths have no trailing backslash.

#include <string>

namespace platform {

// SHGetFolderPathA(no window, csidl, no token, flags 0): returns the HRESULT (0 on success).
// posix: CSIDL_APPDATA is the "AppData" folder Wine gives the user (C:\users\<user>\AppData\Roaming).
long GetFolderPath(int csidl, std::string& path);
// SHGetSpecialFolderPathA(no window, csidl, fCreate false): true on success.
bool GetSpecialFolderPath(int csidl, std::string& path);

} // namespace platform
