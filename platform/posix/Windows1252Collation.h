#pragma once
// Letter case in the ANSI code page Windows-1252 as Wine applies it for an English user locale:
// CompareStringA(LOCALE_USER_DEFAULT, NORM_IGNORECASE, ...) equality and CharUpperBuffA. Measured
// under Wine 8 for every byte; portable, so that the rules are tested on every platform.

#include <string>
#include <string_view>

namespace platform::posix {

// True when CompareStringA with NORM_IGNORECASE finds the texts equal. This is a comparison of sort
// weights, not of folded bytes: letters equal their other case, ligatures equal their letters
// ("\xdf" and "ss", "\xe6" and "ae"), "^" equals "\x88", NUL and the soft hyphen are ignored, but
// accents, hyphens, apostrophes and control characters count.
bool EqualIgnoringCase1252(std::string_view a, std::string_view b);

// CharUpperBuffA over every byte (NUL included): a-z and the accented small letters to their
// capitals, "\x9a\x9c\x9e" to "\x8a\x8c\x8e" and "\xff" to "\x9f"; "\xdf" and "\xb5" stay.
std::string UpperCase1252(std::string_view text);

} // namespace platform::posix
