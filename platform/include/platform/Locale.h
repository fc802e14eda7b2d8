#pragma once
// Locale-aware comparison and upper-casing of ANSI texts under the user's locale (CompareStringA with
// LOCALE_USER_DEFAULT and NORM_IGNORECASE, CharUpperBuffA).
// posix: Windows-1252 rules, as Wine applies them for an English user locale.

#include <string>

namespace platform {

bool EqualTextIgnoreCase(const std::string& a, const std::string& b);
std::string UpperCaseLocale(const std::string& text);

} // namespace platform
