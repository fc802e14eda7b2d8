// Locale-aware comparison and upper-casing under the emulated English user locale.

#include "Windows1252Collation.h"
#include "platform/Locale.h"

namespace platform {

bool EqualTextIgnoreCase(const std::string& a, const std::string& b) {
    return posix::EqualIgnoringCase1252(a, b);
}

std::string UpperCaseLocale(const std::string& text) {
    return posix::UpperCase1252(text);
}

} // namespace platform
