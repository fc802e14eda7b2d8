// Shell folders over shell32.

#include "Win32Api.h"
#include "platform/ShellFolders.h"

#include <shlobj.h>

namespace platform {

long GetFolderPath(int csidl, std::string& path) {
    char buffer[MAX_PATH] = {};
    const HRESULT result = ::SHGetFolderPathA(nullptr, csidl, nullptr, 0, buffer);
    if (result == S_OK)
        path = buffer;
    return static_cast<long>(result);
}

bool GetSpecialFolderPath(int csidl, std::string& path) {
    char buffer[MAX_PATH] = {};
    if (!::SHGetSpecialFolderPathA(nullptr, buffer, csidl, FALSE))
        return false;
    path = buffer;
    return true;
}

} // namespace platform
