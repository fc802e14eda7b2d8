// Running a tool through Wine: the program is looked for first (never running Wine for a missing
// one), the hives are committed before and read again after, and the command line reaches Wine as
// the tool's arguments. A stand-in `wine` and `wineserver` on PATH record what they were given.

#include "ScopedEnvironment.h"
#include "platform/Process.h"
#include "platform/Registry.h"
#include "platform/Win32Constants.h"
#include "support/TempPrefix.h"

#include <cstdlib>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>
#include <optional>

namespace {

using namespace platform;
using veksetup::testing::ScopedEnvironment;
using veksetup::testing::TempPrefix;

// The stand-in: logs its prefix and arguments, logs whether the hive holds the value the test set
// before the run, adds a key to the hive as a tool would, and ends with $FAKE_WINE_EXIT.
constexpr const char* kFakeWine = R"(#!/bin/sh
{
  printf 'wine WINEPREFIX=%s\n' "$WINEPREFIX"
  for argument in "$@"; do printf 'arg=%s\n' "$argument"; done
  if grep -q '"Before"="committed"' "$WINEPREFIX/user.reg"; then echo 'hive committed'; fi
} >> "$FAKE_WINE_LOG"
printf '\n[Software\\\\Probe\\\\Tool] 1796992055\n#time=1dd896b00754aa8\n"Added"="by the tool"\n' >> "$WINEPREFIX/user.reg"
exit "${FAKE_WINE_EXIT:-0}"
)";
constexpr const char* kFakeWineServer = R"(#!/bin/sh
echo "wineserver $*" >> "$FAKE_WINE_LOG"
)";

class ProcessRunTest : public ::testing::Test {
  protected:
    ProcessRunTest() {
        bin_ = prefix.Folder() / "fake-bin";
        std::filesystem::create_directories(bin_);
        WriteScript(bin_ / "wine", kFakeWine);
        WriteScript(bin_ / "wineserver", kFakeWineServer);
        log_ = prefix.Folder() / "fake-wine.log";
        prefix.WriteFile("C:\\Tool Dir\\GacUtil.exe", "MZ");
    }

    static void WriteScript(const std::filesystem::path& path, const char* text) {
        std::ofstream(path) << text;
        std::filesystem::permissions(path, std::filesystem::perms::owner_all);
    }
    std::string Log() const {
        std::ifstream in(log_);
        return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }

    TempPrefix prefix;
    std::filesystem::path bin_;
    std::filesystem::path log_;
    ScopedEnvironment path_{"PATH", (prefix.Folder() / "fake-bin").string() + ":/usr/bin:/bin"};
    ScopedEnvironment logVariable_{"FAKE_WINE_LOG", (prefix.Folder() / "fake-wine.log").string()};
};

TEST_F(ProcessRunTest, TheToolRunsThroughWineWithItsArgumentsAndItsExitCode) {
    const ScopedEnvironment exitCode("FAKE_WINE_EXIT", "3");
    const auto result = RunProcessAndWait("C:\\Tool Dir\\GacUtil.exe /i \"C:\\x y\\A.dll\" /f", kSwHide);
    ASSERT_TRUE(result.has_value());
    EXPECT_EQ(*result, 3u);
    EXPECT_EQ(Log(), "wine WINEPREFIX=" + prefix.Folder().string() +
                         "\narg=C:\\Tool Dir\\GacUtil.exe\narg=/i\narg=C:\\x y\\A.dll\narg=/f\n"
                         "wineserver -w\n");
}

TEST_F(ProcessRunTest, HivesAreCommittedBeforeAndReadAgainAfter) {
    prefix.SetString(kHkeyCurrentUser, "Software\\Probe", "Before", "committed");
    ASSERT_EQ(RunProcessAndWait("\"C:\\Tool Dir\\GacUtil.exe\" /u \"A.B, Version=1.0.0.0\"", kSwHide), 0u);
    EXPECT_NE(Log().find("hive committed\n"), std::string::npos);
    EXPECT_EQ(prefix.ReadString(kHkeyCurrentUser, "Software\\Probe\\Tool", "Added"), "by the tool");
    EXPECT_EQ(prefix.ReadString(kHkeyCurrentUser, "Software\\Probe", "Before"), "committed");
}

TEST_F(ProcessRunTest, TheProgramIsFoundAsCreateProcessFindsIt) {
    struct Case {
        const char* commandLine;
        const char* program; // what Wine is asked to run
    };
    const Case cases[] = {
        {"C:\\Tool Dir\\GacUtil /i x", "C:\\Tool Dir\\GacUtil.exe"}, // ".exe" is implied
        {"c:\\tool dir\\gacutil.EXE", "c:\\tool dir\\gacutil.EXE"},  // letter case does not matter
        {"\"C:\\Tool Dir\\GacUtil.exe\"/i", "C:\\Tool Dir\\GacUtil.exe"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.commandLine);
        std::filesystem::remove(log_);
        EXPECT_EQ(RunProcessAndWait(c.commandLine, kSwHide), 0u);
        EXPECT_NE(Log().find(std::string("arg=") + c.program + "\n"), std::string::npos) << Log();
    }
}

TEST_F(ProcessRunTest, AMissingProgramFailsAtOnceWithoutWine) {
    for (const char* commandLine : {"C:\\Tool Dir\\Missing.exe /i x", "\"C:\\Tool\" Dir\\GacUtil.exe",
                                    "C:\\Tool Dir", "", "Missing.exe"}) {
        SCOPED_TRACE(commandLine);
        EXPECT_FALSE(RunProcessAndWait(commandLine, kSwHide).has_value());
    }
    EXPECT_FALSE(std::filesystem::exists(log_));
}

TEST_F(ProcessRunTest, WithoutWineNothingStarts) {
    const ScopedEnvironment emptyPath("PATH", (prefix.Folder() / "drive_c").string());
    EXPECT_FALSE(RunProcessAndWait("C:\\Tool Dir\\GacUtil.exe /i x", kSwHide).has_value());
    EXPECT_FALSE(std::filesystem::exists(log_));
}

} // namespace
