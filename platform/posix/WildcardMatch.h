#pragma once
// The wildcard patterns of FindFirstFileA: "*" stands for any run of characters, "?" for any one;
// letters match without regard to case, and "*.*" matches every name, as on Windows.

#include <string_view>

namespace platform::posix {

bool MatchesWildcard(std::u16string_view name, std::u16string_view pattern);

} // namespace platform::posix
