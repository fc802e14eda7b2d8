#include "VekSetupUtils/Packages.h"

#include "platform/TRegistry.h"
#include "support/TempPrefix.h"
#include "unit/VekSetupUtils/TestIdes.h"

#include <functional>
#include <gtest/gtest.h>
#include <map>

namespace veksetup {
namespace {

using platform::kHkeyCurrentUser;
using platform::kHkeyLocalMachine;
using Values = std::map<std::string, std::string>;

constexpr const char* kSharedDlls = "Software\\Microsoft\\Windows\\CurrentVersion\\SharedDLLs";
constexpr const char* kSystemDir = "C:\\windows\\system32\\";

class PackagesTest : public ::testing::TestWithParam<bool> {
  protected:
    PackagesTest() {
        context_.SystemDir = kSystemDir;
        context_.Options.ProductName = "Sample";
        context_.Options.ProductTitle = "Sample Components";
        context_.Options.PackagePrefix = "sample";
        context_.Options.ProductDir = "C:\\Vek\\";
        context_.Options.Uninstall = GetParam();
    }

    bool Uninstall() const { return GetParam(); }
    std::string DisabledKey() const { return ide_.RegKey + "\\Disabled Packages"; }
    std::string KnownKey() const { return ide_.RegKey + knownPackagesKey_; }

    void Store(const std::string& key, const Values& values) {
        for (const auto& [name, data] : values)
            prefix_.SetString(kHkeyCurrentUser, key, name, data);
    }
    Values Read(const std::string& key) const {
        Values values;
        for (const std::string& name : prefix_.ValueNames(kHkeyCurrentUser, key))
            values[name] = prefix_.ReadString(kHkeyCurrentUser, key, name).value_or("(not a string)");
        return values;
    }
    void Share(const std::string& runtimePackage, std::uint32_t count) {
        prefix_.SetDword(kHkeyLocalMachine, kSharedDlls, kSystemDir + runtimePackage, count);
    }
    // Takes away what a case set up: the IDE's keys and the shared-file list.
    void ClearMachine() {
        platform::TRegistry user(platform::RegistryAccess::Write, kHkeyCurrentUser);
        (void)user.DeleteKey(ide_.RegKey);
        platform::TRegistry machine(platform::RegistryAccess::Write, kHkeyLocalMachine);
        (void)machine.DeleteKey(kSharedDlls);
    }
    void Run(bool appmethod = false) {
        RegisterPackages(ide_, DeriveIdeLayout(ide_, context_.Options, appmethod), context_);
    }
    // What the install writes, or nothing when uninstalling.
    Values Installed(const Values& values) const { return Uninstall() ? Values{} : values; }
    static Values Merge(Values a, const Values& b) {
        a.insert(b.begin(), b.end());
        return a;
    }

    testing::TempPrefix prefix_;
    TIDE ide_ = testing::TestIde("Delphi", 7);
    SetupContext context_;
    std::string knownPackagesKey_ = "\\Known Packages";
};

const Values kForeign = {{"$(DELPHI)\\Bin\\dclstd70.bpl", "Borland Standard Components"}};

TEST_P(PackagesTest, EachGroupReplacesItsOldEntries) {
    // group, options, shared runtime package (empty: none), a stale entry, registered file, description,
    // what other groups that the options call for register
    const struct {
        const char* group;
        std::function<void(RunOptions&)> choose;
        const char* runtimePackage;
        const char* stale;
        const char* designPackage;
        const char* description;
        Values others;
    } cases[] = {
        {"A",
         [](RunOptions& o) {
             o.VekBase = true;
             o.Platforms = {TargetPlatform::Win32};
         },
         "vek70.bpl",
         "D:\\Old\\VEKVCL70.BPL",
         "dclvek70.bpl",
         "Velmora Vek",
         {{"C:\\IDE\\Bin\\dclsample70.bpl", "Sample Components"}}},
        {"B",
         [](RunOptions& o) { o.ControlsPlatforms = {TargetPlatform::Win32}; },
         "kocontrols70.bpl",
         "D:\\Old\\dclkocontrols70.bpl",
         "dclkocontrols70.bpl",
         "Velmora controls",
         {}},
        {"C",
         [](RunOptions& o) { o.Platforms = {TargetPlatform::Win32}; },
         "",
         "D:\\Old\\samplevcl70.bpl",
         "dclsample70.bpl",
         "Sample Components",
         {}},
        {"D",
         [](RunOptions& o) {
             o.IndyWrapper = true;
             o.IndyPackage = "vekindy";
         },
         "",
         "D:\\Old\\vekindy70.bpl",
         "vekindy70.bpl",
         "Velmora Indy wrapper",
         {}},
        {"E",
         [](RunOptions& o) { o.OraProvider = true; },
         "",
         "D:\\Old\\dcloralink70.bpl",
         "dcloralink70.bpl",
         "OVEK support for MIDAS",
         {}},
        {"F",
         [](RunOptions& o) { o.PackagePrefix = "myvek"; },
         "",
         "D:\\Old\\dclmysqlwatch70.bpl",
         "dclmysqlwatch70.bpl",
         "Vek Components for MySQL - TMySQLWatcher",
         {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string("group ") + c.group);
        RunOptions saved = context_.Options;
        c.choose(context_.Options);
        if (*c.runtimePackage)
            Share(c.runtimePackage, 1);
        const std::string registered = "C:\\IDE\\Bin\\" + std::string(c.designPackage);
        Store(DisabledKey(), Merge(kForeign, {{c.stale, "old"}}));
        Store(KnownKey(), Merge(kForeign, {{c.stale, "old"}, {registered, "old description"}}));
        Run();
        EXPECT_EQ(Read(DisabledKey()), kForeign);
        EXPECT_EQ(Read(KnownKey()),
                  Merge(Merge(kForeign, Installed({{registered, c.description}})), Installed(c.others)));
        context_.Options = saved;
        ClearMachine();
    }
}

TEST_P(PackagesTest, FamilyPackagesOfOtherProductsAreOnlyClearedFromTheDisabledList) {
    // A count other than 1 (not listed, or shared by other products) fails the presence test.
    context_.Options.VekBase = true;
    context_.Options.Platforms = {TargetPlatform::Win32};
    context_.Options.ControlsPlatforms = {TargetPlatform::Win32};
    context_.Options.PackagePrefix = "other";
    for (const std::uint32_t count : {0u, 2u}) {
        SCOPED_TRACE(count);
        if (count != 0) {
            Share("vek70.bpl", count);
            Share("kocontrols70.bpl", count);
        }
        Store(DisabledKey(), {{"D:\\Old\\dclvek70.bpl", ""}, {"D:\\Old\\dclkocontrols70.bpl", ""}});
        const Values known = {{"C:\\IDE\\Bin\\dclvek70.bpl", "Velmora Vek"},
                              {"D:\\Old\\dclkocontrols70.bpl", "Velmora controls"}};
        Store(KnownKey(), known);
        Run();
        EXPECT_EQ(Read(DisabledKey()), Values{});
        EXPECT_EQ(Read(KnownKey()),
                  Merge(known, Installed({{"C:\\IDE\\Bin\\dclother70.bpl", "Sample Components"}})));
        ClearMachine();
    }
}

TEST_P(PackagesTest, ClearingTextsMatchTheirOwnFilesOnly) {
    // The family's texts start with "\", so they match whole file names; the product's do not.
    context_.Options.VekBase = true;
    context_.Options.Platforms = {TargetPlatform::Win32};
    context_.Options.PackagePrefix = "myvek";
    context_.Options.ProductTitle = "MyVek Components";
    Share("vek70.bpl", 1);
    const Values untouched = {{"C:\\IDE\\Bin\\xvek70.bpl", "not the family's"},
                              {"C:\\IDE\\Bin\\vek700.bpl", "another version"},
                              {"C:\\IDE\\Bin\\dclmyvek71.bpl", "another version"}};
    Store(KnownKey(), Merge(untouched, {{"C:\\IDE\\Bin\\myvek70.bpl", "runtime"},
                                        {"E:\\DCLMYVEK70.BPL", "old design package"},
                                        {"E:\\vekvcl70.bpl", "family"}}));
    Run();
    EXPECT_EQ(Read(KnownKey()),
              Merge(untouched, Installed({{"C:\\IDE\\Bin\\dclvek70.bpl", "Velmora Vek"},
                                          {"C:\\IDE\\Bin\\dclmyvek70.bpl", "MyVek Components"},
                                          {"C:\\IDE\\Bin\\dclmysqlwatch70.bpl",
                                           "Vek Components for MySQL - TMySQLWatcher"}})));
}

TEST_P(PackagesTest, FireMonkeyVariantsAreClearedAndTheDesignPackageFollowsTheIde) {
    ide_ = testing::TestIde("Delphi", 17);
    context_.Options.FireMonkey = true;
    context_.Options.VekBase = true;
    context_.Options.Platforms = {TargetPlatform::Win32};
    context_.Options.ProductTitle = "Sample Components for Oracle";
    Share("vek170.bpl", 1);
    const Values ideOwn = {{"$(BDS)\\bin\\dclfmxstd170.bpl", "Embarcadero FireMonkey Standard Components"}};
    Store(DisabledKey(), {{"D:\\Old\\vekfmx170.bpl", ""}, {"D:\\Old\\samplefmx170.bpl", ""}});
    Store(KnownKey(), Merge(ideOwn, {{"D:\\Old\\VEKFMX170.bpl", ""}, {"D:\\Old\\dclsamplefmx170.bpl", ""}}));
    Run();
    EXPECT_EQ(Read(DisabledKey()), Values{});
    EXPECT_EQ(Read(KnownKey()),
              Merge(ideOwn, Installed({{"C:\\IDE\\Bin\\dclvek170.bpl", "Velmora Vek"},
                                       {"C:\\IDE\\Bin\\dclsample170.bpl", "Sample Components for Oracle"},
                                       {"C:\\IDE\\Bin\\dclsamplefmx170.bpl",
                                        "Sample GUI FireMonkey related Components for Oracle"}})));
}

TEST_P(PackagesTest, FireMonkeyDesignPackageNeedsTheIdesOwnAndAProductThatHasOne) {
    ide_ = testing::TestIde("Delphi", 17);
    context_.Options.FireMonkey = true;
    context_.Options.Platforms = {TargetPlatform::Win32};
    // the IDE's own FireMonkey package (value name and data; empty name: none), prefix, registered
    const struct {
        const char* ideOwnName;
        const char* ideOwnData;
        const char* prefix;
        bool registered;
    } cases[] = {
        {"$(BDS)\\bin\\dclfmxstd170.bpl", "FireMonkey", "sample", true},
        {"$(BDS)\\bin\\dclfmxstd170.bpl", "FireMonkey", "ptable", false},
        {"$(BDS)\\bin\\dclfmxstd170.bpl", "FireMonkey", "pquery", false},
        {"$(BDS)\\bin\\dclfmxstd170.bpl", "", "sample", false},
        {"$(BDS)\\bin\\DCLFMXSTD170.BPL", "FireMonkey", "sample", false}, // found case-sensitively
        {"$(BDS)\\bin\\dclfmxstd160.bpl", "FireMonkey", "sample", false},
        {"", "", "sample", false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.ideOwnName) + " " + c.ideOwnData + " " + c.prefix);
        context_.Options.PackagePrefix = c.prefix;
        prefix_.CreateKey(kHkeyCurrentUser, KnownKey());
        if (*c.ideOwnName)
            Store(KnownKey(), {{c.ideOwnName, c.ideOwnData}});
        Run();
        const std::string designPackage = "C:\\IDE\\Bin\\dcl" + std::string(c.prefix) + "fmx170.bpl";
        EXPECT_EQ(prefix_.ReadString(kHkeyCurrentUser, KnownKey(), designPackage).has_value(),
                  c.registered && !Uninstall());
        ClearMachine();
    }
}

TEST_P(PackagesTest, MissingListsAreNeitherCreatedNorAnError) {
    context_.Options.VekBase = true;
    context_.Options.FireMonkey = true;
    context_.Options.Platforms = {TargetPlatform::Win32};
    context_.Options.ControlsPlatforms = {TargetPlatform::Win32};
    context_.Options.OraProvider = true;
    Share("vek70.bpl", 1);
    Share("kocontrols70.bpl", 1);
    Run();
    EXPECT_FALSE(prefix_.KeyExists(kHkeyCurrentUser, ide_.RegKey));
}

TEST_P(PackagesTest, AppmethodIdesKeepTheirPackagesInTheirOwnList) {
    ide_ = testing::TestIde("Delphi", 21);
    knownPackagesKey_ = "\\Known Appmethod Packages";
    context_.Options.Platforms = {TargetPlatform::Win32};
    const Values plainList = {{"D:\\Old\\dclsample210.bpl", "left alone"}};
    Store(ide_.RegKey + "\\Known Packages", plainList);
    Store(KnownKey(), {{"D:\\Old\\dclsample210.bpl", "old"}});
    Run(true);
    EXPECT_EQ(Read(ide_.RegKey + "\\Known Packages"), plainList);
    EXPECT_EQ(Read(KnownKey()), Installed({{"C:\\IDE\\Bin\\dclsample210.bpl", "Sample Components"}}));
}

INSTANTIATE_TEST_SUITE_P(Modes, PackagesTest, ::testing::Values(false, true),
                         [](const ::testing::TestParamInfo<bool>& mode) {
                             return mode.param ? "Uninstall" : "Install";
                         });

} // namespace
} // namespace veksetup
