#include "VekSetupUtils/Options.h"

#include "platform/Exceptions.h"

#include <gtest/gtest.h>

namespace veksetup {
namespace {

using P = TargetPlatform;

const PlatformSet kAllPlatforms = {P::Win32, P::Win64, P::OSX32, P::IOS, P::Android, P::DotNet};

TEST(ReadPlatformsTest, ReadsTheProductAndControlsLists) {
    // arguments, Platforms, ControlsPlatforms
    const struct {
        CommandLineArgs args;
        PlatformSet platforms;
        PlatformSet controls;
    } cases[] = {
        {{}, {}, {}},
        {{"-P=Win32|Win64"}, {P::Win32, P::Win64}, {}},
        {{"-P=win32|ALL"}, kAllPlatforms, {}},
        {{"-P=Win32|"}, {P::Win32}, {}},
        {{"-P=OSX32|IOS|android|NET"}, {P::OSX32, P::IOS, P::Android, P::DotNet}, {}},
        {{"-P=.NET|Win 32|Win32 "}, {}, {}},
        {{"-G=All"}, {}, {}},
        {{"-G=Win32|Win64|Net|OSX32|iOS|Android"}, {}, {P::Win32, P::Win64, P::DotNet}},
        {{"-P=Net", "-G=win64"}, {P::DotNet}, {P::Win64}},
        {{"-p=Win64"}, {P::Win64}, {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.args.empty() ? "(none)" : c.args.front());
        EXPECT_EQ(ReadPlatforms(c.args), c.platforms);
        EXPECT_EQ(ReadControlsPlatforms(c.args), c.controls);
    }
}

const CommandLineArgs kTypical = {"-CN=Delphi",    "-CV=16",        "-N=Sample", "-FN=Sample Components",
                                  "-PATH=C:\\Vek", "-P=Win32|Win64"};

TEST(ReadRunOptionsTest, ReadsTheTypicalCommandLine) {
    const RunOptions options = ReadRunOptions(kTypical);
    EXPECT_EQ(options.ProductName, "Sample");
    EXPECT_EQ(options.ProductTitle, "Sample Components");
    EXPECT_EQ(options.PackagePrefix, "sample");
    EXPECT_EQ(options.ProductDir, "C:\\Vek\\");
    EXPECT_EQ(options.Platforms, (PlatformSet{P::Win32, P::Win64}));
    EXPECT_TRUE(options.ControlsPlatforms.empty());
    EXPECT_TRUE(options.ExpertName.empty());
    EXPECT_TRUE(options.Edition.empty());
    EXPECT_FALSE(options.Uninstall || options.PerIdeDirs || options.VekBase || options.FireMonkey ||
                 options.Help || options.MainExpert || options.RecordDeskTool || options.OraProvider ||
                 options.OraWizard || options.UdtProxy || options.IndyWrapper);
}

CommandLineArgs With(CommandLineArgs args, const CommandLineArgs& more) {
    args.insert(args.end(), more.begin(), more.end());
    return args;
}

TEST(ReadRunOptionsTest, ReadsTextsAsWritten) {
    // extra arguments, field read back, expected
    const struct {
        CommandLineArgs extra;
        std::string RunOptions::*field;
        const char* expected;
    } cases[] = {
        {{"-PL=vekpkg"}, &RunOptions::PackagePrefix, "vekpkg"},
        {{"-PL=N/A"}, &RunOptions::PackagePrefix, "sample"},
        {{"-PL="}, &RunOptions::PackagePrefix, "sample"},
        {{"-MWN=VekExpert"}, &RunOptions::ExpertName, "VekExpert"},
        {{"-INDYN=vekindy"}, &RunOptions::IndyPackage, "vekindy"},
        {{"-R=Express"}, &RunOptions::Edition, "Express"},
        {{"-path=D:\\Other\\"}, &RunOptions::ProductDir, "C:\\Vek\\"}, // the first -PATH wins
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.extra.front());
        EXPECT_EQ(ReadRunOptions(With(kTypical, c.extra)).*c.field, c.expected);
    }
}

TEST(ReadRunOptionsTest, LowerCasesTheProductNameIntoThePrefix) {
    const RunOptions options = ReadRunOptions({"-N=MyVek", "-FN=T", "-PATH=C:\\X\\"});
    EXPECT_EQ(options.PackagePrefix, "myvek");
    EXPECT_EQ(options.ProductDir, "C:\\X\\");
    EXPECT_EQ(ReadRunOptions({"-N=N/A", "-FN=T", "-PATH=C:\\X\\"}).ProductName, "N/A");
}

TEST(ReadRunOptionsTest, ReadsEachSwitchOnItsOwn) {
    // switch as written, field, set
    const struct {
        const char* arg;
        bool RunOptions::*field;
        bool set;
    } cases[] = {
        {"-U", &RunOptions::Uninstall, true},       {"-u", &RunOptions::Uninstall, false},
        {"-U=0", &RunOptions::Uninstall, true},     {"-u=yes", &RunOptions::Uninstall, true},
        {"-S", &RunOptions::PerIdeDirs, true},      {"-VEK", &RunOptions::VekBase, true},
        {"-FMX", &RunOptions::FireMonkey, true},    {"-H", &RunOptions::Help, true},
        {"-DM", &RunOptions::RecordDeskTool, true}, {"-OP", &RunOptions::OraProvider, true},
        {"-OPW", &RunOptions::OraWizard, true},     {"-UDT", &RunOptions::UdtProxy, true},
        {"-OPWX", &RunOptions::OraWizard, false},
    };
    bool RunOptions::*const switches[] = {
        &RunOptions::Uninstall,   &RunOptions::PerIdeDirs, &RunOptions::VekBase,
        &RunOptions::FireMonkey,  &RunOptions::Help,       &RunOptions::RecordDeskTool,
        &RunOptions::OraProvider, &RunOptions::OraWizard,  &RunOptions::UdtProxy};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.arg);
        const RunOptions options = ReadRunOptions(With(kTypical, {c.arg}));
        for (bool RunOptions::*field : switches)
            EXPECT_EQ(options.*field, field == c.field && c.set);
    }
}

TEST(ReadRunOptionsTest, ReadsTheExpertAndIndySwitchesWithTheirNames) {
    const RunOptions options =
        ReadRunOptions(With(kTypical, {"-MW", "-MWN=VekExpert", "-INDY", "-INDYN=vekindy"}));
    EXPECT_TRUE(options.MainExpert);
    EXPECT_TRUE(options.IndyWrapper);
}

TEST(ReadRunOptionsTest, RejectsAMissingRequiredOptionNamingIt) {
    // arguments, message
    const struct {
        CommandLineArgs args;
        const char* message;
    } cases[] = {
        {{"-FN=T", "-PATH=C:\\X"}, "The command line gives no value for -N"},
        {{"-N=", "-FN=T", "-PATH=C:\\X"}, "The command line gives no value for -N"},
        {{"-N=A", "-PATH=C:\\X"}, "The command line gives no value for -FN"},
        {{"-N=A", "-FN=", "-PATH=C:\\X"}, "The command line gives no value for -FN"},
        {{"-N=A", "-FN=T"}, "The command line gives no value for -PATH"},
        {{"-N=A", "-FN=T", "-PATH=N/A"}, "The command line gives no value for -PATH"},
        {{"-N=A", "-FN=T", "-PATH="}, "The command line gives no value for -PATH"},
        {{"-N=A", "-FN=T", "-PATH=C:\\X", "-INDY"},
         "The command line gives no value for -INDYN (needed by -INDY)"},
        {{"-N=A", "-FN=T", "-PATH=C:\\X", "-MW"}, "The command line gives no value for -MWN (needed by -MW)"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.message);
        try {
            ReadRunOptions(c.args);
            ADD_FAILURE() << "no error";
        } catch (const platform::Exception& error) {
            EXPECT_STREQ(error.ClassName(), "Exception");
            EXPECT_EQ(error.Message(), c.message);
        }
    }
}

} // namespace
} // namespace veksetup
