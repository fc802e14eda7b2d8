#include "VekSetupUtils/LastChanceReport.h"

#include "platform/SystemInfo.h"
#include "platform/UserInterface.h"
#include "platform/Win32Constants.h"

#include <cstdio>

namespace veksetup {

std::string FormatLastChanceReport(const std::string& className, const std::string& moduleName,
                                   std::uint32_t codeAddress, const std::string& message) {
    char address[9];
    std::snprintf(address, sizeof address, "%08X", static_cast<unsigned>(codeAddress));
    const char* fullStop = !message.empty() && message.back() == '.' ? "" : ".";
    return "Exception " + className + " in module " + moduleName + " at " + address + ".\r\n" + message +
           fullStop + "\r\n";
}

std::string FileNameOf(const std::string& path) {
    const std::string::size_type separator = path.find_last_of("\\/");
    return separator == std::string::npos ? path : path.substr(separator + 1);
}

void ShowLastChanceReport(const std::string& className, const std::string& message) {
    // The address of the code that reports: there is no portable way to name the code that raised.
    const auto codeAddress =
        static_cast<std::uint32_t>(reinterpret_cast<std::uintptr_t>(&ShowLastChanceReport));
    platform::ShowMessageBox(
        FormatLastChanceReport(className, FileNameOf(platform::OwnModuleFileName()), codeAddress, message),
        "Application Error", platform::kMbIconError | platform::kMbTaskModal);
}

} // namespace veksetup
