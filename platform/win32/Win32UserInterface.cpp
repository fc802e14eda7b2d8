// Message boxes and the screen size over user32.

#include "Win32Api.h"
#include "platform/UserInterface.h"

namespace platform {

int ShowMessageBox(const std::string& text, const std::string& caption, unsigned style) {
    return ::MessageBoxA(nullptr, text.c_str(), caption.c_str(), style);
}

int GetScreenWidth() {
    return ::GetSystemMetrics(SM_CXSCREEN);
}

int GetScreenHeight() {
    return ::GetSystemMetrics(SM_CYSCREEN);
}

} // namespace platform
