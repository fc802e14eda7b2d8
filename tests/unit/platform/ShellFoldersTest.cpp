// The application-data folder as Wine's shell gives it to a 32-bit program, measured under Wine 8:
// the user is $USER, the folder comes from "User Shell Folders", and a missing folder is an error
// (0x80070002, empty path).

#include "platform/ShellFolders.h"

#include "ScopedEnvironment.h"
#include "ShellFolderPath.h"
#include "platform/Registry.h"
#include "platform/Win32Constants.h"
#include "support/TempPrefix.h"

#include <cstdlib>
#include <gtest/gtest.h>
#include <optional>

namespace {

using namespace platform;
using veksetup::testing::ScopedEnvironment;
using veksetup::testing::TempPrefix;

constexpr long kFileNotFound = static_cast<long>(0x80070002);
constexpr long kInvalidArgument = static_cast<long>(0x80070057);
const char* const kUserShellFolders =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\User Shell Folders";

class ShellFoldersTest : public ::testing::Test {
  protected:
    std::pair<long, std::string> AppData() const {
        std::string path = "untouched";
        const long result = GetFolderPath(kCsidlAppData, path);
        std::string special = "untouched";
        EXPECT_EQ(GetSpecialFolderPath(kCsidlAppData, special), result == 0);
        EXPECT_EQ(special, path);
        return {result, path};
    }
    void MakeFolder(const std::string& windowsPath) const {
        std::filesystem::create_directories(prefix.HostPath(windowsPath));
    }

    TempPrefix prefix;
    ScopedEnvironment fixtureUser_{"USER", prefix.UserName()};
};

TEST_F(ShellFoldersTest, TheDefaultIsTheUsersRoamingFolder) {
    EXPECT_EQ(AppData(), std::make_pair(0L, prefix.AppDataPath()));
}

TEST_F(ShellFoldersTest, TheUserIsTheUnixUserOfTheEnvironment) {
    const ScopedEnvironment alice("USER", "alice");
    EXPECT_EQ(AppData(), std::make_pair(kFileNotFound, std::string()));
    MakeFolder("C:\\users\\alice\\AppData\\Roaming");
    EXPECT_EQ(AppData(), std::make_pair(0L, std::string("C:\\users\\alice\\AppData\\Roaming")));
}

TEST_F(ShellFoldersTest, AMissingFolderIsAnErrorWithAnEmptyPath) {
    std::filesystem::remove_all(prefix.HostPath(prefix.AppDataPath()));
    EXPECT_EQ(AppData(), std::make_pair(kFileNotFound, std::string()));
}

TEST_F(ShellFoldersTest, TheUserShellFoldersValueDecides) {
    struct Case {
        std::uint32_t type;
        std::string value;
        std::string folder; // made before the call; empty: none is made
        long result;
        std::string path;
    };
    const std::string profile = "C:\\users\\" + prefix.UserName();
    const Case cases[] = {
        {kRegSz, "C:\\elsewhere", "C:\\elsewhere", 0, "C:\\elsewhere"},
        {kRegExpandSz, "%USERPROFILE%\\Roaming2", profile + "\\Roaming2", 0, profile + "\\Roaming2"},
        {kRegExpandSz, "%userprofile%\\Roaming3", profile + "\\Roaming3", 0, profile + "\\Roaming3"},
        {kRegExpandSz, "%SystemDrive%\\AppRoot", "C:\\AppRoot", 0, "C:\\AppRoot"},
        {kRegExpandSz, "C:\\plain", "C:\\plain", 0, "C:\\plain"},
        // Only an expandable value that begins with a variable is expanded.
        {kRegSz, "%USERPROFILE%\\Roaming2", "", kFileNotFound, ""},
        {kRegExpandSz, "C:\\%USERPROFILE%", "", kFileNotFound, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.value);
        std::vector<std::uint8_t> data(c.value.begin(), c.value.end());
        data.push_back(0);
        prefix.SetValue(kHkeyCurrentUser, kUserShellFolders, "AppData", c.type, data);
        if (!c.folder.empty())
            MakeFolder(c.folder);
        EXPECT_EQ(AppData(), std::make_pair(c.result, c.path));
    }
}

TEST_F(ShellFoldersTest, TheMachinesValueAndProfilesFolderServeWhenTheUserHasNone) {
    prefix.SetExpandString(kHkeyLocalMachine, "Software\\Microsoft\\Windows NT\\CurrentVersion\\ProfileList",
                           "ProfilesDirectory", "%SystemDrive%\\Profiles");
    const std::string profile = "C:\\Profiles\\" + prefix.UserName();
    MakeFolder(profile + "\\AppData\\Roaming");
    EXPECT_EQ(AppData(), std::make_pair(0L, profile + "\\AppData\\Roaming"));

    prefix.SetExpandString(kHkeyLocalMachine, kUserShellFolders, "AppData", "%USERPROFILE%\\MachineWide");
    MakeFolder(profile + "\\MachineWide");
    EXPECT_EQ(AppData(), std::make_pair(0L, profile + "\\MachineWide"));
}

TEST_F(ShellFoldersTest, OtherFoldersAreNotProvided) {
    std::string path = "untouched";
    EXPECT_EQ(GetFolderPath(5 /* CSIDL_PERSONAL */, path), kInvalidArgument);
    EXPECT_EQ(path, "");
    EXPECT_FALSE(GetSpecialFolderPath(5, path));
}

TEST(ShellFolderPathTest, LeadingVariablesExpandAsWinesShellExpandsThem) {
    const platform::posix::ShellFolderVariables variables{"C:\\users\\bob", "C:\\ProgramData", "C:"};
    struct Case {
        const char* value;
        bool expandable;
        const char* expanded;
    };
    const Case cases[] = {
        {"%USERPROFILE%\\AppData\\Roaming", true, "C:\\users\\bob\\AppData\\Roaming"},
        {"%UserProfile%", true, "C:\\users\\bob"},
        {"%ALLUSERSPROFILE%\\Data", true, "C:\\ProgramData\\Data"},
        {"%SYSTEMDRIVE%\\x", true, "C:\\x"},
        {"%APPDATA%\\x", true, "%APPDATA%\\x"},
        {"%USERPROFILE%\\x", false, "%USERPROFILE%\\x"},
        {"x%USERPROFILE%", true, "x%USERPROFILE%"},
        {"", true, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.value);
        EXPECT_EQ(platform::posix::ExpandShellFolderValue(c.value, c.expandable, variables), c.expanded);
    }
}

TEST(ShellFolderPathTest, TheWindowsUserIsUserElseTheLoginOfTheProcess) {
    {
        const ScopedEnvironment user("USER", "caf\xc3\xa9");
        EXPECT_EQ(platform::posix::WineUserName(), "caf\xe9");
    }
    const ScopedEnvironment none("USER", std::nullopt);
    EXPECT_FALSE(platform::posix::WineUserName().empty());
}

} // namespace
