// A prefix edited through the emulated machine is read by Wine itself: its reg.exe finds the values
// where a 32-bit program put them, and Wine, saving the hive again, writes our key blocks exactly as
// we wrote them.

#include "platform/Win32Constants.h"
#include "support/TempPrefix.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>

namespace {

using namespace platform;
using veksetup::testing::TempPrefix;
namespace fs = std::filesystem;

bool WineIsInstalled() {
    return std::system("command -v wine >/dev/null 2>&1 && command -v wineserver >/dev/null 2>&1") == 0;
}

// Wine's own PE files for one architecture, where the distributions install them.
fs::path WineLibraryFolder(const std::string& architecture) {
    for (const char* lib : {"/usr/lib/x86_64-linux-gnu/wine", "/usr/lib/i386-linux-gnu/wine", "/usr/lib/wine",
                            "/usr/lib64/wine", "/usr/lib32/wine", "/usr/local/lib/wine",
                            "/opt/wine-stable/lib64/wine", "/opt/wine-stable/lib/wine"}) {
        const fs::path folder = fs::path(lib) / (architecture + "-windows");
        if (fs::exists(folder / "kernel32.dll"))
            return folder;
    }
    return {};
}

std::string ReadText(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// The block of one key in a hive file's text, from its key line to the next key.
std::string BlockOf(const std::string& text, const std::string& keyLine) {
    const std::size_t start = text.find("\n" + keyLine);
    if (start == std::string::npos)
        return {};
    return text.substr(start, text.find("\n[", start + 1) - start);
}

class MachineWineTest : public ::testing::Test {
  protected:
    // Makes the prefix runnable by Wine without booting it: Wine's own libraries as the system
    // folders, and no prefix update.
    void MakeRunnable() {
        const fs::path windows = prefix.Folder() / "drive_c" / "windows";
        const fs::path native = WineLibraryFolder("x86_64");
        const fs::path wow = WineLibraryFolder("i386");
        if (native.empty() || wow.empty()) {
            ASSERT_EQ(Wine("wineboot -i"), 0);
            return;
        }
        fs::remove_all(windows / "system32");
        fs::create_directory_symlink(native, windows / "system32");
        fs::create_directory_symlink(wow, windows / "syswow64");
        std::ofstream(prefix.Folder() / ".update-timestamp") << "disable\n";
    }
    int Wine(const std::string& command) {
        const std::string line = "WINEPREFIX='" + prefix.Folder().string() + "' WINEDEBUG=-all " + command;
        return std::system(line.c_str());
    }
    // Debian's Wine leaves its server folder in /tmp, named in the prefix; it goes with the prefix.
    void TearDown() override {
        std::ifstream named(prefix.Folder() / "wineserver");
        std::string base;
        if (std::getline(named, base) && base.rfind("wine-", 0) == 0 && base.find('/') == std::string::npos)
            fs::remove_all(fs::path("/tmp") / base);
    }
    std::string RegQuery(const std::string& key, const std::string& options = "") {
        const fs::path out = prefix.Folder() / "reg-query.txt";
        EXPECT_EQ(Wine("wine reg query '" + key + "' " + options + " >'" + out.string() + "' 2>&1"), 0)
            << key;
        return ReadText(out);
    }

    TempPrefix prefix;
};

TEST_F(MachineWineTest, WineReadsTheHivesWeWrote) {
    if (!WineIsInstalled())
        GTEST_SKIP() << "Wine is not installed";
    const std::string clsid = "{5EB9A4D1-0C5F-4B6D-9E2A-3F6C1D2B7A80}";
    prefix.SetString(kHkeyCurrentUser, "Software\\VekSetupAcceptance", "Name",
                     "Value with \"quotes\" \\ [x]");
    prefix.SetExpandString(kHkeyCurrentUser, "Software\\VekSetupAcceptance", "Path", "%SystemRoot%\\Vek");
    prefix.SetDword(kHkeyCurrentUser, "Software\\VekSetupAcceptance", "Count", 42);
    std::vector<std::uint8_t> bytes(40);
    for (std::size_t i = 0; i < bytes.size(); ++i)
        bytes[i] = static_cast<std::uint8_t>(i);
    prefix.SetValue(kHkeyCurrentUser, "Software\\VekSetupAcceptance", "Bytes", kRegBinary, bytes);
    prefix.SetString(kHkeyLocalMachine, "Software\\VekSetupAcceptance", "Where", "32-bit view");
    prefix.SetString(kHkeyClassesRoot, "CLSID\\" + clsid, "", "Vek class");
    prefix.CloseMachine();
    const std::string ourUserHive = prefix.UserHiveText();
    MakeRunnable();

    const std::string user = RegQuery("HKCU\\Software\\VekSetupAcceptance");
    EXPECT_NE(user.find("Name    REG_SZ    Value with \"quotes\" \\ [x]"), std::string::npos) << user;
    EXPECT_NE(user.find("Path    REG_EXPAND_SZ    %SystemRoot%\\Vek"), std::string::npos) << user;
    EXPECT_NE(user.find("Count    REG_DWORD    0x2a"), std::string::npos) << user;
    EXPECT_NE(
        user.find("Bytes    REG_BINARY    000102030405060708090A0B0C0D0E0F101112131415161718191A1B1C1D1E1F"
                  "2021222324252627"),
        std::string::npos)
        << user;
    const std::string machine = RegQuery("HKLM\\Software\\VekSetupAcceptance", "/reg:32");
    EXPECT_NE(machine.find("Where    REG_SZ    32-bit view"), std::string::npos) << machine;
    const std::string classes = RegQuery("HKCR\\CLSID\\" + clsid, "/reg:32");
    EXPECT_NE(classes.find("REG_SZ    Vek class"), std::string::npos) << classes;
    ASSERT_EQ(Wine("wineserver -w"), 0);

    // Wine saves user.reg again (it adds its own keys on a first start): our block comes back as is.
    const std::string keyLine = "[Software\\\\VekSetupAcceptance] ";
    const std::string ours = BlockOf(ourUserHive, keyLine);
    ASSERT_FALSE(ours.empty());
    const std::string wines = ReadText(prefix.Folder() / "user.reg");
    if (wines != ourUserHive) {
        EXPECT_EQ(BlockOf(wines, keyLine), ours);
    }
}

} // namespace
