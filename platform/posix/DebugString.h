#pragma once
// A byte string quoted as Wine's debug output quotes it (debugstr_a), so that what the native build
// prints can be compared with Wine's relay trace of the same call.

#include <string>
#include <string_view>

namespace platform::posix {

// The text in double quotes: \\ \" \n \r \t for those five, \xNN (lower-case hex) for other bytes
// below 0x20 or above 0x7e, every other byte as it is. Never cut short.
std::string QuoteLikeWineDebug(std::string_view text);

} // namespace platform::posix
