#include "VekSetupUtils/SetupDriver.h"

#include "VekSetupUtils/IdeLayout.h"
#include "platform/TRegistry.h"
#include "support/TempPrefix.h"
#include "unit/VekSetupUtils/TestIdes.h"

#include <functional>
#include <gtest/gtest.h>
#include <set>

namespace veksetup {
namespace {

using platform::kHkeyCurrentUser;
using P = TargetPlatform;
using testing::TestIde;
using Keys = std::set<std::string>;

class SetupDriverTest : public ::testing::Test {
  protected:
    SetupDriverTest() {
        context.SystemDir = "C:\\windows\\system32\\";
        context.Options.ProductName = "Sample";
        context.Options.ProductTitle = "Sample Components";
        context.Options.PackagePrefix = "sample";
        context.Options.ProductDir = "C:\\Vek\\";
    }

    // Every library key an IDE may have, each with an empty "Search Path".
    void PrepareLibraryKeys(const TIDE& ide) {
        for (const TargetLayout& target : DeriveIdeLayout(ide, context.Options, false).Targets)
            if (!target.LibraryKey.empty())
                prefix.SetString(kHkeyCurrentUser, ide.RegKey + target.LibraryKey, "Search Path", "");
    }
    // The library keys (as suffixes of the IDE's key) whose "Search Path" the run filled.
    Keys FilledLibraryKeys(const TIDE& ide) const {
        Keys filled;
        for (const TargetLayout& target : DeriveIdeLayout(ide, context.Options, false).Targets)
            if (!target.LibraryKey.empty() &&
                !prefix.ReadString(kHkeyCurrentUser, ide.RegKey + target.LibraryKey, "Search Path")->empty())
                filled.insert(target.LibraryKey);
        return filled;
    }
    // Runs the driver and gives the message boxes it showed.
    std::string Run() {
        ::testing::internal::CaptureStderr();
        RunSetup(context);
        return ::testing::internal::GetCapturedStderr();
    }

    testing::TempPrefix prefix;
    SetupContext context;
};

TEST_F(SetupDriverTest, RunsThePathStepsThatTheOptionsAndTheIdeCallFor) {
    // IDE, options, library keys that gain entries
    const struct {
        const char* label;
        TIDE ide;
        std::function<void(RunOptions&)> choose;
        Keys filled;
    } cases[] = {
        {"nothing", TestIde("Delphi", 19), [](RunOptions&) {}, {}},
        {"-P=Win32",
         TestIde("Delphi", 19),
         [](RunOptions& o) { o.Platforms = {P::Win32}; },
         {"\\Library\\Win32"}},
        {"-G=Win32",
         TestIde("Delphi", 19),
         [](RunOptions& o) { o.ControlsPlatforms = {P::Win32}; },
         {"\\Library\\Win32"}},
        {"-OP", TestIde("Delphi", 19), [](RunOptions& o) { o.OraProvider = true; }, {"\\Library\\Win32"}},
        {"-P=Win64",
         TestIde("Delphi", 19),
         [](RunOptions& o) { o.Platforms = {P::Win64}; },
         {"\\Library\\Win64"}},
        {"-G=Win64",
         TestIde("Delphi", 19),
         [](RunOptions& o) { o.ControlsPlatforms = {P::Win64}; },
         {"\\Library\\Win64"}},
        {"-P=OSX32",
         TestIde("Delphi", 19),
         [](RunOptions& o) { o.Platforms = {P::OSX32}; },
         {"\\Library\\OSX32"}},
        {"-P=iOS",
         TestIde("Delphi", 19),
         [](RunOptions& o) { o.Platforms = {P::IOS}; },
         {"\\Library\\iOSSimulator", "\\Library\\iOSDevice"}},
        {"-P=Android",
         TestIde("Delphi", 19),
         [](RunOptions& o) { o.Platforms = {P::Android}; },
         {"\\Library\\Android32"}},
        {"-P=All, Delphi 15",
         TestIde("Delphi", 15),
         [](RunOptions& o) {
             o.Platforms = {P::Win32, P::Win64, P::OSX32, P::IOS, P::Android};
         },
         {"\\Library"}},
        {"-P=All, Delphi 16",
         TestIde("Delphi", 16),
         [](RunOptions& o) {
             o.Platforms = {P::Win32, P::Win64, P::OSX32, P::IOS, P::Android};
         },
         {"\\Library\\Win32", "\\Library\\Win64", "\\Library\\OSX32"}},
        {"-P=All, CBuilder 6",
         TestIde("CBuilder", 6),
         [](RunOptions& o) {
             o.Platforms = {P::Win32, P::Win64, P::OSX32, P::IOS, P::Android};
         },
         {"\\Library"}},
        {"-S without platforms", TestIde("Delphi", 19), [](RunOptions& o) { o.PerIdeDirs = true; }, {}},
        {"-S -P=Android",
         TestIde("Delphi", 19),
         [](RunOptions& o) {
             o.PerIdeDirs = true;
             o.Platforms = {P::Android};
         },
         {"\\Library\\Android32"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.label);
        const RunOptions saved = context.Options;
        c.choose(context.Options);
        context.Ides = {c.ide};
        PrepareLibraryKeys(c.ide);
        EXPECT_EQ(Run(), "");
        EXPECT_EQ(FilledLibraryKeys(c.ide), c.filled);
        context.Options = saved;
        platform::TRegistry cleanup(platform::RegistryAccess::Write, kHkeyCurrentUser);
        ASSERT_TRUE(cleanup.DeleteKey("Software"));
    }
}

TEST_F(SetupDriverTest, RegistersTheProductsExpertInDelphiIdesOnly) {
    context.Options.MainExpert = true;
    context.Options.ExpertName = "VekExpert";
    context.Options.OraWizard = true;
    context.Ides = {TestIde("Delphi", 16), TestIde("CBuilder", 6)};
    EXPECT_EQ(Run(), "");
    const std::string delphiExperts = context.Ides[0].RegKey + "\\Experts";
    const std::string builderExperts = context.Ides[1].RegKey + "\\Experts";
    EXPECT_EQ(prefix.ValueNames(kHkeyCurrentUser, delphiExperts),
              (std::vector<std::string>{"Oracle Package Wizard", "VekExpert"}));
    EXPECT_EQ(prefix.ValueNames(kHkeyCurrentUser, builderExperts),
              std::vector<std::string>{"Oracle Package Wizard"});
}

TEST_F(SetupDriverTest, DoesNothingForAPlaceholderProduct) {
    context.Options.OraWizard = true;
    context.Options.Platforms = {P::Win32};
    context.Ides = {TestIde("Delphi", 16)};
    for (const char* name : {"n/a", "N/A", "Dummy", "DUMMY"}) {
        SCOPED_TRACE(name);
        context.Options.ProductName = name;
        EXPECT_EQ(Run(), "");
        EXPECT_FALSE(prefix.KeyExists(kHkeyCurrentUser, context.Ides[0].RegKey));
    }
}

TEST_F(SetupDriverTest, ReportsTheFirstFailureAndSkipsTheRest) {
    // The second IDE's Win32 "Search Path" is no string: its packages are done, its paths fail.
    context.Options.Platforms = {P::Win32};
    context.Options.OraWizard = true;
    context.Ides = {TestIde("Delphi", 7), TestIde("Delphi", 16), TestIde("Delphi", 17)};
    for (const TIDE& ide : context.Ides) {
        prefix.SetString(kHkeyCurrentUser, ide.RegKey + "\\Known Packages", "D:\\Old\\dclsample.bpl", "");
        PrepareLibraryKeys(ide);
    }
    prefix.SetDword(kHkeyCurrentUser, context.Ides[1].RegKey + "\\Library\\Win32", "Search Path", 1);

    EXPECT_EQ(Run(), "MessageBoxA(\"Invalid data type for 'Search Path'\",\"VekSetup.exe\",0x00000000)\n");

    const auto registered = [&](const TIDE& ide) {
        return prefix
            .ReadString(kHkeyCurrentUser, ide.RegKey + "\\Known Packages",
                        "C:\\IDE\\Bin\\dclsample" + ide.PackageSuffix + ".bpl")
            .has_value();
    };
    const auto hasWizard = [&](const TIDE& ide) {
        return prefix.KeyExists(kHkeyCurrentUser, ide.RegKey + "\\Experts");
    };
    EXPECT_TRUE(registered(context.Ides[0]));
    EXPECT_EQ(FilledLibraryKeys(context.Ides[0]), Keys{"\\Library"});
    EXPECT_TRUE(hasWizard(context.Ides[0]));
    EXPECT_TRUE(registered(context.Ides[1]));
    EXPECT_FALSE(hasWizard(context.Ides[1]));
    EXPECT_FALSE(registered(context.Ides[2]));
    EXPECT_EQ(FilledLibraryKeys(context.Ides[2]), Keys{});
}

TEST_F(SetupDriverTest, WalksNothingQuietly) {
    EXPECT_EQ(Run(), "");
    context.Options = RunOptions{};
    EXPECT_EQ(Run(), "");
}

} // namespace
} // namespace veksetup
