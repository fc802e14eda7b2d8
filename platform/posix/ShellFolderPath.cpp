#include "ShellFolderPath.h"

#include "TextEncoding.h"

#include <cstdlib>
#include <pwd.h>
#include <string_view>
#include <unistd.h>

namespace platform::posix {

namespace {

bool StartsWithIgnoringAsciiCase(std::string_view text, std::string_view prefix) {
    if (text.size() < prefix.size())
        return false;
    for (std::size_t i = 0; i < prefix.size(); ++i) {
        const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; };
        if (lower(text[i]) != lower(prefix[i]))
            return false;
    }
    return true;
}

} // namespace

std::string ExpandShellFolderValue(const std::string& value, bool expandable,
                                   const ShellFolderVariables& variables) {
    if (!expandable || value.empty() || value.front() != '%')
        return value;
    const std::pair<std::string_view, const std::string*> known[] = {
        {"%USERPROFILE%", &variables.userProfile},
        {"%ALLUSERSPROFILE%", &variables.allUsersProfile},
        {"%SystemDrive%", &variables.systemDrive},
    };
    for (const auto& [name, replacement] : known) {
        if (StartsWithIgnoringAsciiCase(value, name))
            return *replacement + value.substr(name.size());
    }
    return value;
}

std::string WineUserName() {
    if (const char* user = std::getenv("USER"); user != nullptr && *user != '\0')
        return Utf8ToAnsi(user);
    if (const passwd* entry = ::getpwuid(::getuid()); entry != nullptr && entry->pw_name != nullptr)
        return Utf8ToAnsi(entry->pw_name);
    return "wine";
}

} // namespace platform::posix
