// How Windows reads a command line: the program CreateProcessA takes when it has no application
// name, and the arguments a C run-time program sees (measured under Wine with a quoting-heavy line).

#include "WindowsCommandLine.h"

#include <gtest/gtest.h>

namespace {

using platform::posix::ProgramCandidate;
using platform::posix::ProgramCandidates;
using platform::posix::SplitArguments;
using platform::posix::WithDefaultExtension;

TEST(ProcessCommandLineTest, ProgramCandidatesGrowWordByWord) {
    struct Case {
        std::string commandLine;
        std::vector<ProgramCandidate> candidates;
    };
    const std::string gac = "C:\\Program Files\\Tool Dir\\GacUtil.exe /i \"C:\\x y\\A.dll\"";
    const Case cases[] = {
        {gac,
         {{"C:\\Program", 10},
          {"C:\\Program Files\\Tool", 21},
          {"C:\\Program Files\\Tool Dir\\GacUtil.exe", 37},
          {"C:\\Program Files\\Tool Dir\\GacUtil.exe /i", 40},
          {"C:\\Program Files\\Tool Dir\\GacUtil.exe /i \"C:\\x", 46},
          {gac, gac.size()}}},
        // A quoted program is the only candidate; the arguments start after its closing quote.
        {"\"C:\\Program Files\\Tool Dir\\GacUtil.exe\"   a",
         {{"C:\\Program Files\\Tool Dir\\GacUtil.exe", 39}}},
        {"\"C:\\unterminated", {{"C:\\unterminated", 16}}},
        {"a  b\tc", {{"a", 1}, {"a ", 2}, {"a  b", 4}, {"a  b\tc", 6}}},
        {"", {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.commandLine);
        EXPECT_EQ(ProgramCandidates(c.commandLine), c.candidates);
    }
}

TEST(ProcessCommandLineTest, ArgumentsSplitAsTheCRunTimeSplitsThem) {
    struct Case {
        const char* text;
        std::vector<std::string> arguments;
    };
    const Case cases[] = {
        {" /i \"C:\\x y\\A.dll\" 3", {"/i", "C:\\x y\\A.dll", "3"}},
        // Measured: a child of CreateProcessA under Wine saw these three arguments.
        {"   a\\\"b  \"c d\\\\\" 7", {"a\"b", "c d\\", "7"}},
        {" /u \"A.B, Version=5.10.0.7, Culture=neutral\"", {"/u", "A.B, Version=5.10.0.7, Culture=neutral"}},
        {"a\\\\b", {"a\\\\b"}},             // backslashes before no quote stay as they are
        {"a\\\\\\\\\"b c\"", {"a\\\\b c"}}, // 2n backslashes and a quote: n backslashes, quoting
        {"\"a\"\"b\"", {"a\"b"}},           // "" inside quotes: a quote
        {"\"\"", {""}},
        {"x\"\"", {"x"}},
        {" \t ", {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(SplitArguments(c.text), c.arguments);
    }
}

TEST(ProcessCommandLineTest, AProgramWithoutExtensionIsLookedForAsExe) {
    struct Case {
        const char* name;
        const char* file;
    };
    const Case cases[] = {
        {"C:\\Tools\\GacUtil", "C:\\Tools\\GacUtil.exe"},
        {"C:\\Tools\\GacUtil.exe", "C:\\Tools\\GacUtil.exe"},
        {"C:\\Tools.v2\\GacUtil", "C:\\Tools.v2\\GacUtil.exe"},
        {"C:\\Tools\\Gac.Util", "C:\\Tools\\Gac.Util"},
        {"tool", "tool.exe"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(WithDefaultExtension(c.name), c.file);
    }
}

} // namespace
