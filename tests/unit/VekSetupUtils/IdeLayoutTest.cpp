#include "VekSetupUtils/IdeLayout.h"

#include "unit/VekSetupUtils/TestIdes.h"

#include <gtest/gtest.h>

namespace veksetup {
namespace {

RunOptions PerIdeDirs(bool on) {
    RunOptions options;
    options.PerIdeDirs = on;
    return options;
}

TEST(IdeLayoutTest, DerivesKeysAndDirectoriesPerTarget) {
    using T = LayoutTarget;
    // IDE, version, -S, target, LibraryKey, CppPathsKey, LibDir, BinDir, IncludeDir
    const struct {
        const char* name;
        std::int32_t version;
        bool perIdeDirs;
        LayoutTarget target;
        TargetLayout expected;
    } cases[] = {
        {"Delphi", 7, false, T::Win32, {"\\Library", "\\C++\\Paths", "Lib", "Bin", "Include"}},
        {"Delphi",
         7,
         true,
         T::Win32,
         {"\\Library", "\\C++\\Paths", "Lib\\Delphi7", "Bin\\Delphi7", "Include\\Delphi7"}},
        {"Delphi", 10, false, T::Win32, {"\\Library", "\\CppPaths", "Lib", "Bin", "Include"}},
        {"Delphi", 15, false, T::Win32, {"\\Library", "\\C++\\Paths", "Lib", "Bin", "Include"}},
        {"Delphi",
         16,
         false,
         T::Win32,
         {"\\Library\\Win32", "\\C++\\Paths\\Win32", "Lib\\Win32", "Bin\\Win32", "Include\\Win32"}},
        {"Delphi",
         16,
         true,
         T::Win32,
         {"\\Library\\Win32", "\\C++\\Paths\\Win32", "Lib\\Delphi16\\Win32", "Bin\\Delphi16\\Win32",
          "Include\\Delphi16\\Win32"}},
        {"CBuilder",
         6,
         true,
         T::Win32,
         {"\\Library", "\\C++\\Paths", "Lib\\Delphi6", "Bin\\Delphi6", "Include\\Delphi6"}},
        {"Delphi",
         16,
         false,
         T::Win64,
         {"\\Library\\Win64", "\\C++\\Paths\\Win64", "Lib\\Win64", "Bin\\Win64", "Include\\Win64"}},
        {"Delphi",
         17,
         true,
         T::OSX32,
         {"\\Library\\OSX32", "\\C++\\Paths\\OSX32", "Lib\\Delphi17\\OSX32", "Bin\\Delphi17\\OSX32",
          "Include\\Delphi17\\OSX32"}},
        {"Delphi", 18, false, T::IOSSimulator, {"\\Library\\iOSSimulator", "", "Lib\\iOSSimulator", "", ""}},
        {"Delphi",
         21,
         false,
         T::IOSDevice,
         {"\\Library\\iOSDevice", "\\C++\\Paths\\iOSDevice", "Lib\\iOSDevice", "", "Include\\iOSDevice"}},
        {"Delphi", 21, false, T::IOSDevice64, {"", "", "", "", ""}},
        {"Delphi",
         22,
         false,
         T::IOSDevice,
         {"\\Library\\iOSDevice32", "\\C++\\Paths\\iOSDevice32", "Lib\\iOSDevice32", "",
          "Include\\iOSDevice32"}},
        {"Delphi",
         22,
         true,
         T::IOSDevice64,
         {"\\Library\\iOSDevice64", "\\C++\\Paths\\iOSDevice64", "Lib\\Delphi22\\iOSDevice64", "",
          "Include\\Delphi22\\iOSDevice64"}},
        {"Delphi",
         19,
         false,
         T::Android,
         {"\\Library\\Android32", "\\C++\\Paths\\Android", "Lib\\Android", "", "Include\\Android"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.name) + " " + std::to_string(c.version) + " target " +
                     std::to_string(static_cast<int>(c.target)) + (c.perIdeDirs ? " -S" : ""));
        const TargetLayout actual =
            DeriveIdeLayout(testing::TestIde(c.name, c.version), PerIdeDirs(c.perIdeDirs), false)[c.target];
        EXPECT_EQ(actual.LibraryKey, c.expected.LibraryKey);
        EXPECT_EQ(actual.CppPathsKey, c.expected.CppPathsKey);
        EXPECT_EQ(actual.LibDir, c.expected.LibDir);
        EXPECT_EQ(actual.BinDir, c.expected.BinDir);
        EXPECT_EQ(actual.IncludeDir, c.expected.IncludeDir);
    }
}

TEST(IdeLayoutTest, DerivesTheKeysCommonToAllTargets) {
    const IdeLayout plain = DeriveIdeLayout(testing::TestIde("Delphi", 8), PerIdeDirs(false), false);
    EXPECT_EQ(plain.KnownPackagesKey, "\\Known Packages");
    EXPECT_EQ(plain.NetLibraryKey, "\\Library");
    EXPECT_EQ(plain.DirSuffix, "");
    EXPECT_EQ(plain.SourceDir, "Source");

    const IdeLayout appmethod = DeriveIdeLayout(testing::TestIde("Delphi", 9), PerIdeDirs(true), true);
    EXPECT_EQ(appmethod.KnownPackagesKey, "\\Known Appmethod Packages");
    EXPECT_EQ(appmethod.NetLibraryKey, "\\Library .NET");
    EXPECT_EQ(appmethod.DirSuffix, "\\Delphi9");
}

} // namespace
} // namespace veksetup
