#pragma once
// Facts of the running program and system: its arguments, its own file, the system directory and the
// text of a system error code.

#include <string>
#include <vector>

namespace platform {

// The process's command-line arguments after the program's own path, as the platform splits them.
std::vector<std::string> CommandLineArguments(int argc, char** argv);
// The program's own file as a Windows path (GetModuleFileNameA of the main module).
// posix: the executable seen through the prefix's Z: drive.
std::string OwnModuleFileName();
// GetSystemDirectoryA, without a trailing backslash.
std::string SystemDirectory();
// The system's message text for an error code (FormatMessageA), as it comes.
// posix: Wine's English texts for the codes the emulation produces.
std::string SystemErrorText(long code);

} // namespace platform
