// Facts of the program and the system over kernel32.

#include "Win32Api.h"
#include "platform/SystemInfo.h"

namespace platform {

std::vector<std::string> CommandLineArguments(int argc, char** argv) {
    // The C run-time splits the command line as Windows programs conventionally do.
    return argc > 1 ? std::vector<std::string>(argv + 1, argv + argc) : std::vector<std::string>{};
}

std::string OwnModuleFileName() {
    char buffer[MAX_PATH] = {};
    const DWORD length = ::GetModuleFileNameA(nullptr, buffer, MAX_PATH);
    return std::string(buffer, length);
}

std::string SystemDirectory() {
    char buffer[MAX_PATH] = {};
    const UINT length = ::GetSystemDirectoryA(buffer, MAX_PATH);
    return length < MAX_PATH ? std::string(buffer, length) : std::string();
}

std::string SystemErrorText(long code) {
    char buffer[256] = {};
    const DWORD length = ::FormatMessageA(
        FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS | FORMAT_MESSAGE_ARGUMENT_ARRAY, nullptr,
        static_cast<DWORD>(code), 0, buffer, sizeof buffer, nullptr);
    return std::string(buffer, length);
}

} // namespace platform
