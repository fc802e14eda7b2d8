// Message boxes and the screen of the emulated Windows: no window is ever shown. A message box is one
// line on standard error, answered OK at once; the screen is the one Wine reports without a display.

#include "DebugString.h"
#include "platform/UserInterface.h"

#include <cstdio>
#include <string>

namespace platform {

namespace {

constexpr int kIdOk = 1;
constexpr int kScreenWidth = 1024;
constexpr int kScreenHeight = 768;

} // namespace

int ShowMessageBox(const std::string& text, const std::string& caption, unsigned style) {
    // MessageBoxA reads its texts up to the first NUL.
    const auto cString = [](const std::string& value) { return value.substr(0, value.find('\0')); };
    char styleText[16];
    std::snprintf(styleText, sizeof styleText, "0x%08x", style);
    const std::string line = "MessageBoxA(" + posix::QuoteLikeWineDebug(cString(text)) + "," +
                             posix::QuoteLikeWineDebug(cString(caption)) + "," + styleText + ")\n";
    // One write, so that the line never mixes with other output.
    std::fwrite(line.data(), 1, line.size(), stderr);
    std::fflush(stderr);
    return kIdOk;
}

int GetScreenWidth() {
    return kScreenWidth;
}

int GetScreenHeight() {
    return kScreenHeight;
}

} // namespace platform
