// Shell folders over shell32.

#include "Win32Api.h"
#include "platform/ShellFolders.h"

#include <shlobj.h>

namespace platform {

long GetFolderPath(int csidl, std::string& path) {
    char buffer[MAX_PATH] = {};
    const HRESULT result = ::SHGetFolderPathA(nullptr, csidl, nullptr, 0, buffer);
    path = buffer; // as the call left it: empty when it failed
    return static_cast<long>(result);
}

bool GetSpecialFolderPath(int csidl, std::string& path) {
    char buffer[MAX_PATH] = {};
    const BOOL found = ::SHGetSpecialFolderPathA(nullptr, buffer, csidl, FALSE);
    path = buffer;
    return found != FALSE;
}

} // namespace platform
