// platform::Machine of the posix backend: a prefix loaded once, committed atomically and only where
// it changed, refused with nothing changed when its hives cannot be read.

#include "platform/Machine.h"

#include "EmulatedMachine.h"
#include "platform/Exceptions.h"
#include "platform/Registry.h"
#include "platform/Win32Constants.h"
#include "support/TempPrefix.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>
#include <sys/stat.h>

namespace {

using namespace platform;
using veksetup::testing::TempPrefix;
namespace fs = std::filesystem;

struct FileState {
    std::string bytes;
    ino_t inode = 0;
    std::int64_t modifiedNs = 0;
    mode_t mode = 0;
    friend bool operator==(const FileState&, const FileState&) = default;
};

FileState StateOf(const fs::path& file) {
    struct stat info {};
    EXPECT_EQ(::stat(file.c_str(), &info), 0) << file;
    std::ifstream in(file, std::ios::binary);
    return {std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()), info.st_ino,
            static_cast<std::int64_t>(info.st_mtim.tv_sec) * 1000000000 + info.st_mtim.tv_nsec,
            info.st_mode & 07777};
}

void WriteValue(RegKeyHandle root, const std::string& path, const std::string& name,
                const std::string& text) {
    RegKeyHandle key{};
    ASSERT_EQ(CreateRegKey(root, path, kKeyWriteAccess, key), kErrorSuccess);
    std::vector<std::uint8_t> data(text.begin(), text.end());
    data.push_back(0);
    EXPECT_EQ(WriteRegValue(key, name, kRegSz, data), kErrorSuccess);
    EXPECT_EQ(CloseRegKey(key), kErrorSuccess);
}

bool KeyOpens(RegKeyHandle root, const std::string& path) {
    RegKeyHandle key{};
    if (OpenRegKey(root, path, kKeyRead, key) != kErrorSuccess)
        return false;
    EXPECT_EQ(CloseRegKey(key), kErrorSuccess);
    return true;
}

// A prefix whose machine is closed, for tests that open it themselves.
class MachineTest : public ::testing::Test {
  protected:
    MachineTest() { prefix.CloseMachine(); }
    fs::path SystemHive() const { return prefix.Folder() / "system.reg"; }
    fs::path UserHive() const { return prefix.Folder() / "user.reg"; }
    // Every file of the prefix folder but the lock, to see that nothing was left behind.
    std::vector<std::string> PrefixFiles() const {
        std::vector<std::string> names;
        for (const auto& entry : fs::directory_iterator(prefix.Folder()))
            if (entry.path().filename() != ".veksetup.lock")
                names.push_back(entry.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    }

    TempPrefix prefix;
};

TEST_F(MachineTest, MissingPrefixIsAnEmptyMachineThatWritesNothing) {
    const fs::path missing = prefix.Folder() / "no-such-prefix";
    {
        Machine machine = Machine::OpenPrefix(missing.string());
        EXPECT_FALSE(KeyOpens(kHkeyLocalMachine, "Software"));
        EXPECT_FALSE(KeyOpens(kHkeyCurrentUser, "Software"));
        WriteValue(kHkeyCurrentUser, "Software\\Vendor", "v", "1");
        EXPECT_TRUE(KeyOpens(kHkeyCurrentUser, "Software\\Vendor"));
        machine.Commit();
    }
    EXPECT_FALSE(fs::exists(missing));
}

TEST_F(MachineTest, UnchangedHivesAreNotRewritten) {
    const FileState system = StateOf(SystemHive());
    const FileState user = StateOf(UserHive());
    {
        Machine machine = Machine::OpenPrefix(prefix.Folder().string());
        EXPECT_TRUE(KeyOpens(kHkeyClassesRoot, "CLSID"));
        EXPECT_TRUE(KeyOpens(kHkeyCurrentUser, "Software\\Microsoft"));
        machine.Commit();
    }
    EXPECT_EQ(StateOf(SystemHive()), system);
    EXPECT_EQ(StateOf(UserHive()), user);
}

TEST_F(MachineTest, ChangedHiveIsReplacedKeepingItsModeAndNothingElse) {
    fs::permissions(UserHive(), fs::perms::owner_read | fs::perms::owner_write);
    const FileState system = StateOf(SystemHive());
    const FileState user = StateOf(UserHive());
    const auto filesBefore = PrefixFiles();
    FileState committed;
    {
        Machine machine = Machine::OpenPrefix(prefix.Folder().string());
        WriteValue(kHkeyCurrentUser, "Software\\Vendor", "Name", "Value");
        machine.Commit();
        committed = StateOf(UserHive());
        EXPECT_NE(committed.bytes, user.bytes);
        EXPECT_NE(committed.inode, user.inode); // a new file renamed over the old one
        EXPECT_EQ(committed.mode, 0600u);
        EXPECT_EQ(PrefixFiles(), filesBefore); // no temporary file left behind
    }
    // Committed once and not changed since, it is not written again at the end.
    const FileState final = StateOf(UserHive());
    EXPECT_EQ(final, committed);
    EXPECT_NE(final.bytes.find("\n[Software\\\\Vendor] "), std::string::npos);
    EXPECT_EQ(final.bytes.substr(0, user.bytes.size()), user.bytes.substr(0, user.bytes.size()));
    EXPECT_EQ(StateOf(SystemHive()), system);
}

TEST_F(MachineTest, ChangesAreCommittedWhenTheMachineCloses) {
    {
        Machine machine = Machine::OpenPrefix(prefix.Folder().string());
        WriteValue(kHkeyLocalMachine, "Software\\Vendor", "v", "1");
        machine.Commit();
        WriteValue(kHkeyLocalMachine, "Software\\Vendor", "w", "2");
    }
    Machine machine = Machine::OpenPrefix(prefix.Folder().string());
    EXPECT_TRUE(KeyOpens(kHkeyLocalMachine, "Software\\Vendor"));
    const std::string text = StateOf(SystemHive()).bytes;
    EXPECT_NE(text.find("\"v\"=\"1\"\n\"w\"=\"2\"\n"), std::string::npos);
}

TEST_F(MachineTest, BrokenHiveIsRefusedAndLeftAsItWas) {
    struct Case {
        const char* file;
        std::string text;
    };
    // the hive file, what it holds
    const Case cases[] = {
        {"system.reg", "REGEDIT4\n\n[HKEY_LOCAL_MACHINE\\Software]\n"},
        {"user.reg", "WINE REGISTRY Version 2\n\n#arch=sparc\n"},
        {"user.reg", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.file + (": " + c.text));
        const fs::path file = prefix.Folder() / c.file;
        const std::string original = StateOf(file).bytes;
        std::ofstream(file, std::ios::binary | std::ios::trunc) << c.text;
        const FileState broken = StateOf(file);
        const FileState other = StateOf(file == SystemHive() ? UserHive() : SystemHive());
        try {
            Machine machine = Machine::OpenPrefix(prefix.Folder().string());
            ADD_FAILURE() << "opened";
        } catch (const MachineError& error) {
            EXPECT_NE(std::string(error.what()).find(file.string()), std::string::npos) << error.what();
        }
        EXPECT_THROW(posix::EmulatedMachine::Current(), MachineError);
        EXPECT_EQ(StateOf(file), broken);
        EXPECT_EQ(StateOf(file == SystemHive() ? UserHive() : SystemHive()), other);
        std::ofstream(file, std::ios::binary | std::ios::trunc) << original;
        // Refusing released the lock and the current machine: the mended prefix opens.
        EXPECT_NO_THROW(Machine::OpenPrefix(prefix.Folder().string()));
    }
}

TEST_F(MachineTest, UnreadableHiveIsRefused) {
    fs::remove(UserHive());
    fs::create_directory(UserHive());
    EXPECT_THROW(Machine::OpenPrefix(prefix.Folder().string()), MachineError);
}

TEST_F(MachineTest, FailedCommitThrowsAndLeavesNoTemporaryFile) {
    Machine machine = Machine::OpenPrefix(prefix.Folder().string());
    WriteValue(kHkeyCurrentUser, "Software\\Vendor", "v", "1");
    // A folder where the hive was: the rename cannot replace it.
    fs::remove(UserHive());
    fs::create_directory(UserHive());
    const auto filesBefore = PrefixFiles();
    EXPECT_THROW(machine.Commit(), MachineError);
    EXPECT_EQ(PrefixFiles(), filesBefore);
    EXPECT_TRUE(fs::is_directory(UserHive()));
}

TEST_F(MachineTest, OneMachineAtATimeIsCurrent) {
    EXPECT_THROW(posix::EmulatedMachine::Current(), MachineError);
    EXPECT_THROW((void)KeyOpens(kHkeyCurrentUser, "Software"), MachineError);
    {
        Machine machine = Machine::OpenPrefix(prefix.Folder().string());
        EXPECT_EQ(posix::EmulatedMachine::Current().PrefixFolder(), prefix.Folder());
        EXPECT_THROW(Machine::OpenPrefix(prefix.Folder().string()), MachineError);
        Machine moved = std::move(machine);
        EXPECT_EQ(posix::EmulatedMachine::Current().PrefixFolder(), prefix.Folder());
    }
    EXPECT_THROW(posix::EmulatedMachine::Current(), MachineError);
}

TEST_F(MachineTest, DefaultPrefixIsWinePrefix) {
    const char* saved = std::getenv("WINEPREFIX");
    const std::string savedValue = saved != nullptr ? saved : "";
    ::setenv("WINEPREFIX", prefix.Folder().c_str(), 1);
    {
        Machine machine = Machine::OpenDefault();
        EXPECT_EQ(posix::EmulatedMachine::Current().PrefixFolder(), prefix.Folder());
        EXPECT_TRUE(KeyOpens(kHkeyClassesRoot, "CLSID"));
    }
    if (saved != nullptr)
        ::setenv("WINEPREFIX", savedValue.c_str(), 1);
    else
        ::unsetenv("WINEPREFIX");
}

TEST_F(MachineTest, ReloadSeesWhatAnotherProgramWrote) {
    Machine machine = Machine::OpenPrefix(prefix.Folder().string());
    WriteValue(kHkeyCurrentUser, "Software\\Before", "v", "1");
    posix::EmulatedMachine::Current().CommitHives();
    EXPECT_NE(StateOf(UserHive()).bytes.find("[Software\\\\Before]"), std::string::npos);
    std::ofstream(UserHive(), std::ios::app) << "\n[Software\\\\ByTool] 1796990001\n#time=1dd896637fd4e80\n";
    EXPECT_FALSE(KeyOpens(kHkeyCurrentUser, "Software\\ByTool"));
    posix::EmulatedMachine::Current().ReloadHives();
    EXPECT_TRUE(KeyOpens(kHkeyCurrentUser, "Software\\ByTool"));
    EXPECT_TRUE(KeyOpens(kHkeyCurrentUser, "Software\\Before"));
}

} // namespace
