// SHGetFolderPathA and SHGetSpecialFolderPathA for the application-data folder, as Wine's shell
// answers a 32-bit program: from the registry's shell folder values, and only for a folder that
// exists.

#include "ShellFolderPath.h"
#include "platform/Files.h"
#include "platform/Registry.h"
#include "platform/ShellFolders.h"
#include "platform/Win32Constants.h"

#include <optional>
#include <vector>

namespace platform {

namespace {

constexpr long kHresultInvalidArgument = static_cast<long>(0x80070057);
constexpr long kHresultFileNotFound =
    static_cast<long>(0x80070002); // HRESULT_FROM_WIN32(ERROR_FILE_NOT_FOUND)

struct StringValue {
    std::string text;
    bool expandable = false;
};

std::optional<StringValue> ReadStringValue(RegKeyHandle root, const std::string& keyPath,
                                           const std::string& name) {
    RegKeyHandle key;
    if (OpenRegKey(root, keyPath, kKeyRead, key) != kErrorSuccess)
        return std::nullopt;
    std::uint32_t type = 0;
    std::vector<std::uint8_t> data;
    const long status = QueryRegValue(key, name, type, data);
    CloseRegKey(key);
    if (status != kErrorSuccess || (type != kRegSz && type != kRegExpandSz))
        return std::nullopt;
    std::string text(data.begin(), data.end());
    text.resize(text.find('\0') == std::string::npos ? text.size() : text.find('\0'));
    return StringValue{text, type == kRegExpandSz};
}

posix::ShellFolderVariables Variables() {
    const auto profiles =
        ReadStringValue(kHkeyLocalMachine, "Software\\Microsoft\\Windows NT\\CurrentVersion\\ProfileList",
                        "ProfilesDirectory");
    posix::ShellFolderVariables variables;
    variables.systemDrive = "C:";
    variables.allUsersProfile = "C:\\ProgramData";
    const std::string profilesFolder =
        profiles ? posix::ExpandShellFolderValue(profiles->text, profiles->expandable, variables)
                 : "C:\\users";
    variables.userProfile = profilesFolder + "\\" + posix::WineUserName();
    return variables;
}

std::string AppDataValue() {
    static const char* const kUserShellFolders =
        "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\User Shell Folders";
    std::optional<StringValue> value = ReadStringValue(kHkeyCurrentUser, kUserShellFolders, "AppData");
    if (!value)
        value = ReadStringValue(kHkeyLocalMachine, kUserShellFolders, "AppData");
    if (!value)
        value = StringValue{"%USERPROFILE%\\AppData\\Roaming", true};
    return posix::ExpandShellFolderValue(value->text, value->expandable, Variables());
}

} // namespace

long GetFolderPath(int csidl, std::string& path) {
    path.clear();
    if (csidl != kCsidlAppData)
        return kHresultInvalidArgument;
    const std::string folder = AppDataValue();
    const std::uint32_t attributes = GetFileAttributesOf(folder);
    if (attributes == kInvalidFileAttributes || (attributes & kFileAttributeDirectory) == 0)
        return kHresultFileNotFound;
    path = folder;
    return 0;
}

bool GetSpecialFolderPath(int csidl, std::string& path) {
    return GetFolderPath(csidl, path) == 0;
}

} // namespace platform
