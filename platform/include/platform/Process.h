#pragma once
// Starting an external program and waiting for it (CreateProcessA, WaitForSingleObject,
// GetExitCodeProcess, CloseHandle).

#include <cstdint>
#include <optional>
#include <string>

namespace platform {

// Starts CommandLine (no application name: its first token names the program, found by the system's
// search rules) with creation flags CREATE_NEW_CONSOLE | NORMAL_PRIORITY_CLASS and the show-window
// setting given, waits with no time limit and returns its exit code; nullopt when it cannot start.
//
// posix: runs the command line through `wine` when Wine is installed, after committing the hives;
//        the hives are read again once the tool and its Wine server have ended. Without Wine the
//        start fails.
std::optional<std::uint32_t> RunProcessAndWait(const std::string& commandLine, std::uint16_t showWindow);

} // namespace platform
