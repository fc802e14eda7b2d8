// Starting a program and waiting for it, over kernel32.

#include "Win32Api.h"
#include "platform/Process.h"

#include <vector>

namespace platform {

std::optional<std::uint32_t> RunProcessAndWait(const std::string& commandLine, std::uint16_t showWindow) {
    // CreateProcessA may write into the command line, so it gets a copy of its own.
    std::vector<char> buffer(commandLine.begin(), commandLine.end());
    buffer.push_back('\0');
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = showWindow;
    PROCESS_INFORMATION process{};
    constexpr DWORD kCreationFlags = CREATE_NEW_CONSOLE | NORMAL_PRIORITY_CLASS;
    if (!::CreateProcessA(nullptr, buffer.data(), nullptr, nullptr, FALSE, kCreationFlags, nullptr, nullptr,
                          &startup, &process))
        return std::nullopt;
    ::WaitForSingleObject(process.hProcess, INFINITE);
    DWORD exitCode = 0;
    ::GetExitCodeProcess(process.hProcess, &exitCode);
    ::CloseHandle(process.hProcess);
    ::CloseHandle(process.hThread);
    return exitCode;
}

} // namespace platform
