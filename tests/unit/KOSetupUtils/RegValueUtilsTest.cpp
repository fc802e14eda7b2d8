#include "KOSetupUtils/RegValueUtils.h"

#include "platform/Exceptions.h"
#include "platform/TRegistry.h"
#include "platform/Win32Constants.h"
#include "support/TempPrefix.h"

#include <gtest/gtest.h>

namespace kosetup {
namespace {

using platform::kHkeyClassesRoot;
using platform::kHkeyCurrentUser;
using platform::kHkeyLocalMachine;
using Names = std::vector<std::string>;

constexpr const char* kKey = "Software\\Embarcadero\\BDS\\9.0\\Known Packages";

class RegValueUtilsTest : public ::testing::Test {
  protected:
    veksetup::testing::TempPrefix prefix;
};

TEST_F(RegValueUtilsTest, SetRegValueReplacesEveryValueOfTheNameIgnoringCase) {
    prefix.SetDword(kHkeyCurrentUser, kKey, "FOO", 1);
    prefix.SetString(kHkeyCurrentUser, kKey, "other", "kept");
    SetRegValue(kKey, "Foo", "C:\\Vek", false, false, kHkeyCurrentUser);
    EXPECT_EQ(prefix.ValueNames(kHkeyCurrentUser, kKey), (Names{"Foo", "other"}));
    EXPECT_EQ(prefix.ReadString(kHkeyCurrentUser, kKey, "Foo"), "C:\\Vek");

    SetRegValue(kKey, "FOO", "", true, false, kHkeyCurrentUser);
    EXPECT_EQ(prefix.ValueNames(kHkeyCurrentUser, kKey), Names{"other"});
}

TEST_F(RegValueUtilsTest, SetRegValueCreatesTheKeyOnlyWhenAllowed) {
    // uninstall, can create, key afterwards, value afterwards
    const struct {
        bool uninstall;
        bool canCreate;
        bool keyExists;
        bool valueWritten;
    } cases[] = {
        {false, false, false, false},
        {true, false, false, false},
        {false, true, true, true},
        {true, true, true, false}, // an uninstall leaves the key in place, created empty
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.uninstall ? "uninstall" : "install") + (c.canCreate ? ", create" : ""));
        const std::string key = "Software\\Embarcadero\\BDS\\9.0\\Experts";
        SetRegValue(key, "VekExpert", "C:\\Vek\\Bin\\x.dll", c.uninstall, c.canCreate, kHkeyCurrentUser);
        EXPECT_EQ(prefix.KeyExists(kHkeyCurrentUser, key), c.keyExists);
        EXPECT_EQ(prefix.ReadString(kHkeyCurrentUser, key, "VekExpert").has_value(), c.valueWritten);
        if (c.keyExists) {
            EXPECT_EQ(prefix.ValueNames(kHkeyCurrentUser, key).size(), c.valueWritten ? 1u : 0u);
        }
        platform::TRegistry cleanup(platform::RegistryAccess::Write, kHkeyCurrentUser);
        (void)cleanup.DeleteKey("Software\\Embarcadero");
    }
}

TEST_F(RegValueUtilsTest, SetRegValueTreatsTheEmptyNameAsTheDefaultValue) {
    const std::string key = "Velmora.Svek.UDTProxy";
    prefix.SetString(kHkeyClassesRoot, key, "", "old");
    SetRegValue(key, "", "", false, true, kHkeyClassesRoot);
    EXPECT_TRUE(prefix.KeyExists(kHkeyClassesRoot, key));
    EXPECT_TRUE(prefix.ValueNames(kHkeyClassesRoot, key).empty());
    SetRegValue(key, "", "Velmora.Svek.UDTProxy", false, true, kHkeyClassesRoot);
    EXPECT_EQ(prefix.ReadString(kHkeyClassesRoot, key, ""), "Velmora.Svek.UDTProxy");
}

TEST_F(RegValueUtilsTest, DeleteValuesContainingFoldsBothSides) {
    for (const char* name :
         {"X:\\Bin\\ABC.DLL", "abc.dll.old", "ab.dll", "C:\\\xc9t\xc9.dll", "\xe9T\xe9.dllx"})
        prefix.SetString(kHkeyCurrentUser, kKey, name, "");
    DeleteValuesContaining(kKey, "");
    EXPECT_EQ(prefix.ValueNames(kHkeyCurrentUser, kKey).size(), 5u);
    DeleteValuesContaining(kKey, "abc.dll");
    EXPECT_EQ(prefix.ValueNames(kHkeyCurrentUser, kKey),
              (Names{"ab.dll", "C:\\\xc9t\xc9.dll", "\xe9T\xe9.dllx"}));
    DeleteValuesContaining(kKey, "\xe9t\xe9.DLL");
    EXPECT_EQ(prefix.ValueNames(kHkeyCurrentUser, kKey), Names{"ab.dll"});
    DeleteValuesContaining("Software\\Missing", "ab");
    EXPECT_FALSE(prefix.KeyExists(kHkeyCurrentUser, "Software\\Missing"));
}

TEST_F(RegValueUtilsTest, ReadRegValueReadsStringsAndIntegersOnly) {
    prefix.SetString(kHkeyLocalMachine, "Software\\Vek", "text", "C:\\Vek");
    prefix.SetDword(kHkeyLocalMachine, "Software\\Vek", "number", 0xFFFFFFFE);
    prefix.SetExpandString(kHkeyLocalMachine, "Software\\Vek", "expand", "%SystemRoot%");
    prefix.SetValue(kHkeyLocalMachine, "Software\\Vek", "binary", platform::kRegBinary, {1, 2});
    prefix.SetValue(kHkeyLocalMachine, "Software\\Vek", "multi", platform::kRegMultiSz, {'a', 0, 0});
    // name, result
    const struct {
        const char* name;
        RegValue expected;
    } cases[] = {
        {"text", std::string("C:\\Vek")}, {"TEXT", std::string("C:\\Vek")}, {"number", std::int32_t{-2}},
        {"expand", std::string()},        {"binary", std::string()},        {"multi", std::string()},
        {"missing", std::string()},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(ReadRegValue("Software\\Vek", c.name, kHkeyLocalMachine), c.expected);
    }
    EXPECT_EQ(ReadRegValue("Software\\Missing", "text", kHkeyLocalMachine), RegValue(std::string()));
    EXPECT_TRUE(IsEmptyRegValue(ReadRegValue("Software\\Vek", "expand", kHkeyLocalMachine)));
    EXPECT_FALSE(IsEmptyRegValue(RegValue(std::int32_t{0})));
}

TEST_F(RegValueUtilsTest, FindRegValueMatchesNamesCaseSensitively) {
    prefix.SetString(kHkeyCurrentUser, kKey, "DCLFMXSTD270.BPL", "upper");
    prefix.SetString(kHkeyCurrentUser, kKey, "x\\dclfmxstd270.bpl", "lower");
    prefix.SetDword(kHkeyCurrentUser, kKey, "y\\dclfmxstd270.bpl", 3);
    // searched text, result: the first matching name in the store's order, read by its type
    const struct {
        const char* text;
        RegValue expected;
    } cases[] = {
        {"dclfmx", std::string("lower")},
        {"DCLFMX", std::string("upper")},
        {"y\\dcl", std::int32_t{3}},
        {"Dclfmx", std::string()},
        {"", std::string()},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(FindRegValue(kKey, c.text, kHkeyCurrentUser), c.expected);
    }
}

TEST_F(RegValueUtilsTest, IsAppmethodIdeReadsEitherMarker) {
    const std::string ide = "Software\\Embarcadero\\BDS\\15.0";
    // ProductVersion under Maintenance, default value of Personalities (null: missing), Appmethod
    const struct {
        const char* productVersion;
        const char* personalities;
        bool appmethod;
    } cases[] = {
        {nullptr, nullptr, false},     {"Appmethod", nullptr, true}, {nullptr, "aPpMeThOd", true},
        {"Delphi", "APPMETHOD", true}, {"RAD Studio", "", false},    {"Appmethod ", nullptr, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.productVersion ? c.productVersion : "-") + " / " +
                     (c.personalities ? c.personalities : "-"));
        prefix.CreateKey(kHkeyCurrentUser, ide);
        if (c.productVersion)
            prefix.SetString(kHkeyCurrentUser, ide + "\\Maintenance", "ProductVersion", c.productVersion);
        if (c.personalities)
            prefix.SetString(kHkeyCurrentUser, ide + "\\Personalities", "", c.personalities);
        EXPECT_EQ(IsAppmethodIde(ide), c.appmethod);
        platform::TRegistry cleanup(platform::RegistryAccess::Write, kHkeyCurrentUser);
        ASSERT_TRUE(cleanup.DeleteKey(ide));
    }
}

TEST_F(RegValueUtilsTest, IsAppmethodIdeRefusesAMarkerThatIsNoString) {
    const std::string ide = "Software\\Embarcadero\\BDS\\15.0";
    prefix.SetString(kHkeyCurrentUser, ide + "\\Maintenance", "ProductVersion", "Appmethod");
    prefix.SetDword(kHkeyCurrentUser, ide + "\\Personalities", "", 1);
    EXPECT_THROW(IsAppmethodIde(ide), platform::ERegistryException);
}

TEST_F(RegValueUtilsTest, SetAssemblyFolderRebuildsOrDeletesTheEntry) {
    const std::string ide = "Software\\Borland\\BDS\\5.0";
    const std::string entry = ide + "\\AssemblyFolders\\Velmora.MyVek";
    prefix.SetString(kHkeyCurrentUser, entry, "", "D:\\Old\\Bin");
    prefix.SetString(kHkeyCurrentUser, entry, "Extra", "x");
    prefix.SetString(kHkeyCurrentUser, entry + "\\Sub\\Deeper", "y", "z");

    SetAssemblyFolder(ide, "C:\\Vek\\Bin", "Velmora.MyVek", false);
    EXPECT_EQ(prefix.ValueNames(kHkeyCurrentUser, entry), Names{""});
    EXPECT_EQ(prefix.ReadString(kHkeyCurrentUser, entry, ""), "C:\\Vek\\Bin");
    EXPECT_TRUE(prefix.SubKeyNames(kHkeyCurrentUser, entry).empty());

    SetAssemblyFolder(ide, "C:\\Vek\\Bin", "Velmora.MyVek", true);
    EXPECT_FALSE(prefix.KeyExists(kHkeyCurrentUser, entry));
    EXPECT_TRUE(prefix.KeyExists(kHkeyCurrentUser, ide + "\\AssemblyFolders"));
    SetAssemblyFolder(ide, "C:\\Vek\\Bin", "Velmora.MyVek", true); // a missing entry is no error
    SetAssemblyFolder(ide, "C:\\Vek\\Bin", "Velmora.Vek", false);
    EXPECT_EQ(prefix.ReadString(kHkeyCurrentUser, ide + "\\AssemblyFolders\\Velmora.Vek", ""),
              "C:\\Vek\\Bin");
}

} // namespace
} // namespace kosetup
