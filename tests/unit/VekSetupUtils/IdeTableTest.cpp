#include "VekSetupUtils/IdeTable.h"

#include <gtest/gtest.h>

namespace veksetup {
namespace {

TIDE Named(const char* name, std::int32_t version) {
    TIDE ide;
    ide.Name = name;
    ide.Version = version;
    return ide;
}

TEST(IdeTableTest, DescribesKnownIdes) {
    // name, version, RegKey, HelpFile, VclHelpFile, PackageSuffix, flags .NET/Win64/OSX32/iOS/Android
    const struct {
        const char* name;
        std::int32_t version;
        const char* regKey;
        const char* helpFile;
        const char* vclHelpFile;
        const char* suffix;
        bool dotNet, win64, osx32, ios, android;
    } cases[] = {
        {"Delphi", 5, "Software\\Borland\\Delphi\\5.0", "delphi5.cnt", "", "50", false, false, false, false,
         false},
        {"Delphi", 6, "Software\\Borland\\Delphi\\6.0", "delphi6.cnt", "del6vcl.cnt", "60", false, false,
         false, false, false},
        {"Delphi", 7, "Software\\Borland\\Delphi\\7.0", "d7.cnt", "d7vcl.cnt", "70", false, false, false,
         false, false},
        {"Delphi", 8, "Software\\Borland\\BDS\\2.0", "", "", "80", true, false, false, false, false},
        {"Delphi", 10, "Software\\Borland\\BDS\\4.0", "", "", "100", true, false, false, false, false},
        {"Delphi", 11, "Software\\Borland\\BDS\\5.0", "", "", "105", true, false, false, false, false},
        {"Delphi", 12, "Software\\CodeGear\\BDS\\6.0", "", "", "120", false, false, false, false, false},
        {"Delphi", 14, "Software\\CodeGear\\BDS\\7.0", "", "", "140", false, false, false, false, false},
        {"Delphi", 15, "Software\\Embarcadero\\BDS\\8.0", "", "", "150", false, false, false, false, false},
        {"Delphi", 16, "Software\\Embarcadero\\BDS\\9.0", "", "", "160", false, true, true, false, false},
        {"Delphi", 18, "Software\\Embarcadero\\BDS\\11.0", "", "", "180", false, true, true, true, false},
        {"Delphi", 19, "Software\\Embarcadero\\BDS\\12.0", "", "", "190", false, true, true, true, true},
        {"Delphi", 20, "Software\\Embarcadero\\BDS\\14.0", "", "", "200", false, true, true, true, true},
        {"Delphi", 24, "Software\\Embarcadero\\BDS\\18.0", "", "", "240", false, true, true, true, true},
        {"CBuilder", 5, "Software\\Borland\\C++Builder\\5.0", "bcb5.cnt", "", "50", false, false, false,
         false, false},
        {"CBuilder", 6, "Software\\Borland\\C++Builder\\6.0", "bcb6.cnt", "bcb6vcl.cnt", "60", false, false,
         false, false, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.name) + " " + std::to_string(c.version));
        TIDE ide = Named(c.name, c.version);
        ASSERT_TRUE(FillFromIdeTable(ide));
        EXPECT_EQ(ide.RegKey, c.regKey);
        EXPECT_EQ(ide.HelpFile, c.helpFile);
        EXPECT_EQ(ide.VclHelpFile, c.vclHelpFile);
        EXPECT_EQ(ide.PackageSuffix, c.suffix);
        EXPECT_TRUE(ide.HasWin32);
        EXPECT_EQ(ide.HasDotNet, c.dotNet);
        EXPECT_EQ(ide.HasWin64, c.win64);
        EXPECT_EQ(ide.HasOSX32, c.osx32);
        EXPECT_EQ(ide.HasIOS, c.ios);
        EXPECT_EQ(ide.HasAndroid, c.android);
        EXPECT_TRUE(ide.RootDir.empty());
    }
}

TEST(IdeTableTest, KnowsNoOtherNameOrVersion) {
    // name, version
    const struct {
        const char* name;
        std::int32_t version;
    } cases[] = {
        {"delphi", 7},  {"DELPHI", 16},  {"Delphi", 13},  {"Delphi", 4},   {"Delphi", 25}, {"Delphi", 0},
        {"Delphi", -7}, {"CBuilder", 4}, {"CBuilder", 7}, {"cbuilder", 6}, {"Kylix", 3},   {"", 7},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.name) + " " + std::to_string(c.version));
        TIDE ide = Named(c.name, c.version);
        EXPECT_FALSE(FillFromIdeTable(ide));
        EXPECT_EQ(FindIdeTableRow(c.name, c.version), nullptr);
        EXPECT_TRUE(ide.RegKey.empty());
    }
}

TEST(IdeTableTest, PackageSuffixIsTheVersionWithAZeroBut11) {
    EXPECT_EQ(PackageSuffixFor(7), "70");
    EXPECT_EQ(PackageSuffixFor(10), "100");
    EXPECT_EQ(PackageSuffixFor(11), "105");
    EXPECT_EQ(PackageSuffixFor(12), "120");
    EXPECT_EQ(PackageSuffixFor(24), "240");
}

} // namespace
} // namespace veksetup
