#include "VekSetupUtils/Program.h"

#include "VekSetupUtils/LastChanceReport.h"
#include "platform/SystemInfo.h"
#include "support/TempPrefix.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>
#include <regex>
#include <unistd.h>

namespace veksetup {
namespace {

using platform::kHkeyCurrentUser;
using platform::kHkeyLocalMachine;

struct RunResult {
    int exitCode;
    std::string messages; // the message boxes, as the native build prints them
};

RunResult RunCapturing(const CommandLineArgs& args) {
    ::testing::internal::CaptureStderr();
    const int exitCode = RunVekSetup(args);
    return {exitCode, ::testing::internal::GetCapturedStderr()};
}

std::string ReportLinePattern(const std::string& className, const std::string& message) {
    return "MessageBoxA\\(\"Exception " + className + " in module " +
           FileNameOf(platform::OwnModuleFileName()) + " at [0-9A-F]{8}\\.\\\\r\\\\n" + message +
           "\\\\r\\\\n\",\"Application Error\",0x00002010\\)\n";
}

class ProgramTest : public ::testing::Test {
  protected:
    ProgramTest() {
        prefix.SetString(kHkeyLocalMachine, "Software\\Borland\\Delphi\\7.0", "RootDir", "C:\\D7\\");
        prefix.SetString(kHkeyCurrentUser, kKnownPackages, "C:\\Old\\dclsample70.bpl", "old");
    }
    bool Untouched() const {
        return prefix.ValueNames(kHkeyCurrentUser, kKnownPackages) ==
               std::vector<std::string>{"C:\\Old\\dclsample70.bpl"};
    }

    static constexpr const char* kKnownPackages = "Software\\Borland\\Delphi\\7.0\\Known Packages";
    testing::TempPrefix prefix;
};

TEST_F(ProgramTest, EndsEveryParseWithItsExitCodeAndReport) {
    // arguments, exit code, message boxes (a regular expression)
    const struct {
        CommandLineArgs args;
        int exitCode;
        std::string messages;
    } cases[] = {
        {{}, 0, ""},
        {{"-CN=Delphi|Delphi", "-CV=7|9", "-N=Sample", "-FN=T", "-PATH=C:\\Vek", "-P=Win32"},
         0,
         "MessageBoxA\\(\"Delphi 9 is not installed\\.\",\"Warning\",0x00000000\\)\n"},
        {{"-CN=Delphi|Delphi", "-CV=7", "-N=Sample", "-FN=T", "-PATH=C:\\Vek", "-P=Win32"},
         1,
         ReportLinePattern("Exception", "Invalid IDE parameters list\\.")},
        {{"-CN=Delphi", "-CV=7x", "-N=Sample", "-FN=T", "-PATH=C:\\Vek", "-P=Win32"},
         1,
         ReportLinePattern("EConvertError", "'7x' is not a valid integer value\\.")},
        {{"-CN=Delphi", "-CV=7", "-N=Sample", "-FN=T", "-P=Win32"},
         1,
         ReportLinePattern("Exception", "The command line gives no value for -PATH\\.")},
        {{"-CN=Delphi", "-CV=7", "-N=dummy", "-FN=T", "-PATH=C:\\Vek", "-P=Win32"}, 0, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.args.empty() ? "(none)" : c.args[0] + " " + c.args[1]);
        const RunResult result = RunCapturing(c.args);
        EXPECT_EQ(result.exitCode, c.exitCode);
        EXPECT_TRUE(std::regex_match(result.messages, std::regex(c.messages))) << result.messages;
        EXPECT_TRUE(Untouched());
    }
}

TEST_F(ProgramTest, DriverFailuresAreReportedByTheDriverAndExitWithZero) {
    prefix.SetDword(kHkeyCurrentUser, "Software\\Borland\\Delphi\\7.0\\Library", "Search Path", 1);
    const RunResult result = RunCapturing(
        {"-CN=Delphi", "-CV=7", "-N=Sample", "-FN=Sample Components", "-PATH=C:\\Vek", "-P=Win32"});
    EXPECT_EQ(result.exitCode, 0);
    EXPECT_EQ(result.messages,
              "MessageBoxA(\"Invalid data type for 'Search Path'\",\"VekSetup.exe\",0x00000000)\n");
    EXPECT_EQ(prefix.ReadString(kHkeyCurrentUser, kKnownPackages, "C:\\D7\\Bin\\dclsample70.bpl"),
              "Sample Components");
}

// The whole program on the prefix at the folder (as WINEPREFIX names it), with what it printed.
RunResult RunProgramOn(const std::filesystem::path& folder, const CommandLineArgs& args) {
    const char* saved = std::getenv("WINEPREFIX");
    const std::string savedValue = saved ? saved : "";
    ::setenv("WINEPREFIX", folder.c_str(), 1);
    ::testing::internal::CaptureStderr();
    const int exitCode = RunProgram(args);
    RunResult result{exitCode, ::testing::internal::GetCapturedStderr()};
    if (saved)
        ::setenv("WINEPREFIX", savedValue.c_str(), 1);
    else
        ::unsetenv("WINEPREFIX");
    return result;
}

std::string ReadHostFile(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

class ProgramMachineTest : public ::testing::Test {
  protected:
    ProgramMachineTest() {
        std::filesystem::remove_all(folder);
        std::filesystem::create_directories(folder);
    }
    ~ProgramMachineTest() override { std::filesystem::remove_all(folder); }

    // One folder per test and process, so that tests run side by side do not meet.
    const std::filesystem::path folder =
        std::filesystem::temp_directory_path() /
        ("veksetup-" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()) + "-" +
         std::to_string(::getpid()));
    const CommandLineArgs args = {"-CN=Delphi", "-CV=7", "-N=Sample", "-FN=T", "-PATH=C:\\Vek", "-P=Win32"};
};

// The machine's own errors change nothing and end the program with their own code.
TEST_F(ProgramMachineTest, RefusesABrokenHiveWithExitCode2) {
    const std::string broken = "not a hive\n";
    std::ofstream(folder / "system.reg", std::ios::binary) << broken;
    const RunResult result = RunProgramOn(folder, args);
    EXPECT_EQ(result.exitCode, kExitMachineError);
    EXPECT_EQ(result.messages.rfind("VekSetup: ", 0), 0u) << result.messages;
    EXPECT_EQ(result.messages.find("MessageBoxA"), std::string::npos);
    EXPECT_EQ(ReadHostFile(folder / "system.reg"), broken);
    EXPECT_FALSE(std::filesystem::exists(folder / "user.reg"));
}

// A prefix that does not exist is an empty machine: no IDE is installed there, and it stays absent.
TEST_F(ProgramMachineTest, FindsNoIdeOnAMissingPrefix) {
    const std::filesystem::path missing = folder / "missing";
    const RunResult result = RunProgramOn(missing, args);
    EXPECT_EQ(result.exitCode, kExitSuccess);
    EXPECT_EQ(result.messages, "MessageBoxA(\"Delphi 7 is not installed.\",\"Warning\",0x00000000)\n");
    EXPECT_FALSE(std::filesystem::exists(missing));
}

} // namespace
} // namespace veksetup
