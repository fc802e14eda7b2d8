#pragma once
// Wine's English FormatMessageA texts for the system error codes, as Wine 8 returns them.

#include <string>

namespace platform::posix {

// The text with its line end ("File not found.\r\n"); empty for a code Wine has no text for
// (FormatMessageA fails then).
std::string WineSystemErrorText(long code);

} // namespace platform::posix
