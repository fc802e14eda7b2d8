#pragma once
// Letter case of the ASCII letters only: the rule for option names, product names and the few fixed
// words the program compares that way. Locale-aware case lives in platform/Locale.h.

#include <string>
#include <string_view>

namespace kosetup {

// The text with a to z mapped to A to Z; every other byte unchanged.
std::string AsciiUpperCase(std::string_view text);
// The text with A to Z mapped to a to z; every other byte unchanged.
std::string AsciiLowerCase(std::string_view text);
// Equality after ASCII upper-casing both sides.
bool EqualAsciiIgnoreCase(std::string_view a, std::string_view b);

} // namespace kosetup
