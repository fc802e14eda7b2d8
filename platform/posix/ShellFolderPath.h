#pragma once
// How Wine's shell finds the application-data folder of a 32-bit program: the "AppData" value of
// "User Shell Folders" (the user's, else the machine's, else "%USERPROFILE%\AppData\Roaming"), with
// a leading variable expanded, and the folder must exist.

#include <string>

namespace platform::posix {

// What the leading variables of a shell folder value stand for.
struct ShellFolderVariables {
    std::string userProfile;     // %USERPROFILE%: the profiles folder and the user name
    std::string allUsersProfile; // %ALLUSERSPROFILE%
    std::string systemDrive;     // %SystemDrive%
};

// The value as the shell uses it: an expandable value that begins with "%" has its first variable
// replaced (letter case ignored); any other value is taken as it is. A variable the shell does not
// know stays as written.
std::string ExpandShellFolderValue(const std::string& value, bool expandable,
                                   const ShellFolderVariables& variables);

// The user name Wine gives the Windows user: $USER, else the name of the process's unix user.
std::string WineUserName();

} // namespace platform::posix
