// The program's arguments, its own file, the system directory and the system's error texts, as a
// 32-bit program sees them under Wine.

#include "DriveTable.h"
#include "EmulatedMachine.h"
#include "SystemErrorTexts.h"
#include "TextEncoding.h"
#include "platform/Exceptions.h"
#include "platform/SystemInfo.h"

#include <filesystem>

namespace platform {

std::vector<std::string> CommandLineArguments(int argc, char** argv) {
    // Wine hands a Windows program its unix arguments in the ANSI code page.
    std::vector<std::string> arguments;
    for (int i = 1; i < argc; ++i)
        arguments.push_back(posix::Utf8ToAnsi(argv[i]));
    return arguments;
}

std::string OwnModuleFileName() {
    std::error_code error;
    const std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe", error);
    std::optional<posix::AbsoluteWindowsPath> windows;
    try {
        windows = posix::DriveTable(posix::EmulatedMachine::Current().PrefixFolder()).ToWindows(self);
    } catch (const MachineError&) {
        // No machine open: Wine's default Z: drive, the unix root, still names the file.
    }
    if (!windows) {
        windows = posix::AbsoluteWindowsPath{'Z', {}, false};
        for (const auto& part : self.relative_path())
            windows->components.push_back(posix::Utf8ToAnsi(part.string()));
    }
    return windows->ToString();
}

std::string SystemDirectory() {
    return "C:\\windows\\system32";
}

std::string SystemErrorText(long code) {
    return posix::WineSystemErrorText(code);
}

} // namespace platform
