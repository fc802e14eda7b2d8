// Comparison and upper-casing under the user's locale, over kernel32 and user32.

#include "Win32Api.h"
#include "platform/Locale.h"

namespace platform {

bool EqualTextIgnoreCase(const std::string& a, const std::string& b) {
    return ::CompareStringA(LOCALE_USER_DEFAULT, NORM_IGNORECASE, a.data(), static_cast<int>(a.size()),
                            b.data(), static_cast<int>(b.size())) == CSTR_EQUAL;
}

std::string UpperCaseLocale(const std::string& text) {
    std::string upper = text;
    if (!upper.empty())
        ::CharUpperBuffA(upper.data(), static_cast<DWORD>(upper.size()));
    return upper;
}

} // namespace platform
