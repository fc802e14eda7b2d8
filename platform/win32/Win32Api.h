#pragma once
// The one place the win32 backend includes the Windows headers, with the macros that would clash
// with standard C++ switched off.

#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

namespace platform::win32 {

// The calling thread's last error as the platform interface reports errors.
inline long LastErrorCode() {
    return static_cast<long>(::GetLastError());
}

} // namespace platform::win32
