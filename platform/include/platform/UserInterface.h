#pragma once
// Message boxes (MessageBoxA with no owner window) and the screen size (GetSystemMetrics).

#include <string>

namespace platform {

// MessageBoxA(no owner, text, caption, style); returns what the system returns.
// posix: prints one line to standard error, `MessageBoxA("<text>","<caption>",<style>)` with the
//        texts escaped as Wine's debug output escapes them, and answers OK (1) at once.
int ShowMessageBox(const std::string& text, const std::string& caption, unsigned style);

// GetSystemMetrics(SM_CXSCREEN) and (SM_CYSCREEN).
// posix: 1024 x 768, what Wine reports when no display is known.
int GetScreenWidth();
int GetScreenHeight();

} // namespace platform
