#include "VekSetupUtils/IdeList.h"

#include "VekSetupUtils/Options.h"
#include "platform/Exceptions.h"
#include "support/TempPrefix.h"

#include <gtest/gtest.h>

namespace veksetup {
namespace {

using platform::kHkeyLocalMachine;

class IdeListTest : public ::testing::Test {
  protected:
    void Install(const std::string& regKey, const std::string& rootDir) {
        prefix.SetString(kHkeyLocalMachine, regKey, "RootDir", rootDir);
    }

    testing::TempPrefix prefix;
};

// What a call showed (the native build prints message boxes on standard error) and what it raised.
struct CallOutcome {
    std::string messages;
    std::exception_ptr error;
};

template <typename Call> CallOutcome Observe(Call call) {
    CallOutcome outcome;
    ::testing::internal::CaptureStderr();
    try {
        call();
    } catch (...) {
        outcome.error = std::current_exception();
    }
    outcome.messages = ::testing::internal::GetCapturedStderr();
    return outcome;
}

// The class name and message of what the call raised, or empty texts.
std::pair<std::string, std::string> Raised(const CallOutcome& outcome) {
    if (!outcome.error)
        return {};
    try {
        std::rethrow_exception(outcome.error);
    } catch (const platform::Exception& error) {
        return {error.ClassName(), error.Message()};
    }
}

TEST_F(IdeListTest, DescribesEveryIdeInCommandLineOrder) {
    Install("Software\\Embarcadero\\BDS\\18.0", "C:\\RAD\\24");
    Install("Software\\Borland\\C++Builder\\6.0", "C:\\CBuilder6\\");
    const IdeList ides = BuildIdeList("Delphi|CBuilder", "24|6");
    ASSERT_EQ(ides.size(), 2u);
    EXPECT_EQ(ides[0].Name, "Delphi");
    EXPECT_EQ(ides[0].Version, 24);
    EXPECT_EQ(ides[0].RegKey, "Software\\Embarcadero\\BDS\\18.0");
    EXPECT_EQ(ides[0].RootDir, "C:\\RAD\\24\\");
    EXPECT_EQ(ides[0].PackageSuffix, "240");
    EXPECT_TRUE(ides[0].HasWin32 && ides[0].HasWin64 && ides[0].HasOSX32 && ides[0].HasIOS &&
                ides[0].HasAndroid);
    EXPECT_FALSE(ides[0].HasDotNet);
    EXPECT_EQ(ides[1].Name, "CBuilder");
    EXPECT_EQ(ides[1].RootDir, "C:\\CBuilder6\\");
    EXPECT_EQ(ides[1].HelpFile, "bcb6.cnt");
    EXPECT_EQ(ides[1].VclHelpFile, "bcb6vcl.cnt");
    EXPECT_TRUE(ides[1].HasWin32);
    EXPECT_FALSE(ides[1].HasDotNet || ides[1].HasWin64 || ides[1].HasOSX32 || ides[1].HasIOS ||
                 ides[1].HasAndroid);
}

TEST_F(IdeListTest, EndsTheRootDirectoryWithABackslash) {
    // stored RootDir (null: none), RootDir of the entry
    const struct {
        const char* stored;
        const char* rootDir;
    } cases[] = {{"C:\\IDE\\", "C:\\IDE\\"}, {"C:\\IDE", "C:\\IDE\\"}, {"", "\\"}, {nullptr, "\\"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.stored ? c.stored : "(none)");
        prefix.CreateKey(kHkeyLocalMachine, "Software\\Borland\\Delphi\\7.0");
        if (c.stored)
            Install("Software\\Borland\\Delphi\\7.0", c.stored);
        TIDE ide;
        ide.Name = "Delphi";
        ide.Version = 7;
        DescribeIde(ide);
        EXPECT_EQ(ide.RootDir, c.rootDir);
    }
}

TEST_F(IdeListTest, ExpandableRootDirIsReadAsWritten) {
    prefix.SetExpandString(kHkeyLocalMachine, "Software\\Borland\\Delphi\\7.0", "RootDir",
                           "%ProgramFiles%\\D7");
    EXPECT_EQ(BuildIdeList("Delphi", "7")[0].RootDir, "%ProgramFiles%\\D7\\");
}

TEST_F(IdeListTest, WarnsAndAbortsForAnIdeThatIsNotThere) {
    Install("Software\\Borland\\Delphi\\7.0", "C:\\D7\\");
    Install("Software\\Embarcadero\\BDS\\9.0", "C:\\RAD\\");
    // names, versions, the one warning shown
    const struct {
        const char* names;
        const char* versions;
        const char* warning;
    } cases[] = {
        {"Delphi|Delphi|Delphi", "7|9|16", "Delphi 9 is not installed."},
        {"Delphi|CBuilder", "16|6", "CBuilder 6 is not installed."},
        {"delphi", "7", "delphi 7 is not installed."},
        {"Delphi", "13", "Delphi 13 is not installed."},
        {"Delphi", "25", "Delphi 25 is not installed."},
        {"CBuilder", "7", "CBuilder 7 is not installed."},
        {"|Delphi", "7|7", " 7 is not installed."},
        {"Delphi", "-7", "Delphi -7 is not installed."},
        {"Delphi", "$11", "Delphi 17 is not installed."},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.names) + " " + c.versions);
        const CallOutcome outcome = Observe([&] { BuildIdeList(c.names, c.versions); });
        EXPECT_EQ(Raised(outcome).first, "EAbort");
        EXPECT_EQ(outcome.messages,
                  "MessageBoxA(\"" + std::string(c.warning) + "\",\"Warning\",0x00000000)\n");
    }
}

TEST_F(IdeListTest, RefusesMalformedListsBeforeTestingAnyIde) {
    // names, versions, class, message
    const struct {
        const char* names;
        const char* versions;
        const char* className;
        const char* message;
    } cases[] = {
        {"Delphi|Delphi", "16", "Exception", "Invalid IDE parameters list"},
        {"Delphi", "7|7", "Exception", "Invalid IDE parameters list"},
        {"Delphi|Delphi", "9|", "Exception", "Invalid IDE parameters list"},
        {"Delphi", "seven", "EConvertError", "'seven' is not a valid integer value"},
        {"Delphi", "7.0", "EConvertError", "'7.0' is not a valid integer value"},
        {"|", "|", "EConvertError", "'' is not a valid integer value"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.names) + " " + c.versions);
        const CallOutcome outcome = Observe([&] { BuildIdeList(c.names, c.versions); });
        EXPECT_EQ(Raised(outcome), std::make_pair(std::string(c.className), std::string(c.message)));
        EXPECT_EQ(outcome.messages, "");
    }
}

TEST_F(IdeListTest, RefusesARootDirThatIsNoString) {
    prefix.SetDword(kHkeyLocalMachine, "Software\\Borland\\Delphi\\7.0", "RootDir", 1);
    try {
        BuildIdeList("Delphi", "7");
        ADD_FAILURE() << "no error";
    } catch (const platform::ERegistryException& error) {
        EXPECT_EQ(error.Message(), "Invalid data type for 'RootDir'");
    }
}

TEST_F(IdeListTest, ReadOptionsBuildsTheWholeContext) {
    Install("Software\\Embarcadero\\BDS\\9.0", "C:\\IDE\\");
    const SetupContext context = ReadOptions(
        {"-CN=Delphi", "-CV=16", "-N=Sample", "-FN=Sample Components", "-PATH=C:\\Vek", "-P=Win32|Win64"});
    ASSERT_EQ(context.Ides.size(), 1u);
    EXPECT_EQ(context.Ides[0].RootDir, "C:\\IDE\\");
    EXPECT_EQ(context.Options.ProductDir, "C:\\Vek\\");
    EXPECT_EQ(context.SystemDir, "C:\\windows\\system32\\");
}

TEST_F(IdeListTest, ReadOptionsStopsQuietlyWithoutIdeLists) {
    // Without -CN or -CV nothing more is read, not even the missing -N.
    for (const CommandLineArgs& args :
         {CommandLineArgs{}, CommandLineArgs{"-CN=Delphi"}, CommandLineArgs{"-CN=N/A", "-CV=7"},
          CommandLineArgs{"-CN=Delphi", "-CV=N/A"}, CommandLineArgs{"-CV=7", "-N=Sample"}}) {
        const SetupContext context = ReadOptions(args);
        EXPECT_TRUE(context.Ides.empty());
        EXPECT_TRUE(context.Options.ProductName.empty());
        EXPECT_TRUE(context.SystemDir.empty());
    }
}

TEST_F(IdeListTest, ReadOptionsTestsTheIdesBeforeTheOtherOptions) {
    // A missing IDE aborts even when -N is missing too: the IDE list comes first.
    EXPECT_EQ(Raised(Observe([] { ReadOptions({"-CN=Delphi", "-CV=7"}); })).first, "EAbort");
    Install("Software\\Borland\\Delphi\\7.0", "C:\\D7\\");
    EXPECT_EQ(
        Raised(Observe([] {
            ReadOptions({"-CN=Delphi", "-CV=7"});
        })),
        std::make_pair(std::string("Exception"), std::string("The command line gives no value for -N")));
}

} // namespace
} // namespace veksetup
