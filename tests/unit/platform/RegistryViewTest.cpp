// Where a 32-bit program's keys land in the hives of a 64-bit prefix, and what it sees there: each
// row was measured with a 32-bit program under Wine 8 on a booted prefix.

#include "platform/Registry.h"
#include "platform/Win32Constants.h"
#include "support/TempPrefix.h"

#include <cstdio>
#include <fstream>
#include <gtest/gtest.h>

namespace {

using namespace platform;
using veksetup::testing::PrefixArch;
using veksetup::testing::TempPrefix;

struct Placement {
    RegKeyHandle root;
    const char* path;      // as the program names it
    const char* hiveBlock; // the key line in the hive file
};

void ExpectPlacements(PrefixArch arch, const std::vector<Placement>& placements) {
    TempPrefix prefix(arch);
    for (const Placement& p : placements)
        prefix.SetString(p.root, p.path, "v", p.path);
    for (const Placement& p : placements) {
        SCOPED_TRACE(p.path);
        EXPECT_EQ(prefix.ReadString(p.root, p.path, "v"), p.path);
    }
    prefix.CloseMachine();
    for (const Placement& p : placements) {
        SCOPED_TRACE(p.path);
        const std::string text = p.root == kHkeyCurrentUser ? prefix.UserHiveText() : prefix.SystemHiveText();
        const std::size_t block = text.find(std::string("\n[") + p.hiveBlock + "] ");
        ASSERT_NE(block, std::string::npos) << text;
        EXPECT_EQ(text.find("\"v\"=", block), text.find('\n', text.find('\n', block + 1) + 1) + 1);
    }
}

TEST(RegistryViewTest, ThirtyTwoBitKeysOfASixtyFourBitPrefix) {
    ExpectPlacements(
        PrefixArch::Win64,
        {
            {kHkeyLocalMachine, "Software\\Vendor\\Product", "Software\\\\Wow6432Node\\\\Vendor\\\\Product"},
            {kHkeyLocalMachine, "Software\\Wow6432Node\\Explicit", "Software\\\\Wow6432Node\\\\Explicit"},
            {kHkeyLocalMachine, "System\\Vek", "System\\\\Vek"},
            {kHkeyCurrentUser, "Software\\Vendor", "Software\\\\Vendor"},
            {kHkeyClassesRoot, "Vek.ProgId\\CLSID", "Software\\\\Classes\\\\Vek.ProgId\\\\CLSID"},
            {kHkeyClassesRoot, "CLSID\\{11111111-2222-3333-4444-555555555555}\\InprocServer32",
             "Software\\\\Classes\\\\Wow6432Node\\\\CLSID\\\\{11111111-2222-3333-4444-555555555555}\\\\"
             "InprocServer32"},
            {kHkeyClassesRoot, "Interface\\{11111111-2222-3333-4444-555555555555}",
             "Software\\\\Classes\\\\Wow6432Node\\\\Interface\\\\{11111111-2222-3333-4444-555555555555}"},
            {kHkeyClassesRoot, "TypeLib\\{11111111-2222-3333-4444-555555555555}\\1.0",
             "Software\\\\Classes\\\\Typelib\\\\{11111111-2222-3333-4444-555555555555}\\\\1.0"},
            {kHkeyClassesRoot, "AppID\\{11111111-2222-3333-4444-555555555555}",
             "Software\\\\Classes\\\\AppID\\\\{11111111-2222-3333-4444-555555555555}"},
            {kHkeyClassesRoot, "Protocols\\Handler\\vek",
             "Software\\\\Classes\\\\Protocols\\\\Handler\\\\vek"},
            {kHkeyClassesRoot, "Record\\{11111111-2222-3333-4444-555555555555}",
             "Software\\\\Classes\\\\Record\\\\{11111111-2222-3333-4444-555555555555}"},
            {kHkeyClassesRoot, "Wow6432Node\\Vek.Explicit2", "Software\\\\Classes\\\\Vek.Explicit2"},
            {kHkeyLocalMachine, "Software\\Classes\\Vek.Direct", "Software\\\\Classes\\\\Vek.Direct"},
            {kHkeyLocalMachine, "Software\\Classes\\CLSID\\{33333333-2222-3333-4444-555555555555}",
             "Software\\\\Classes\\\\Wow6432Node\\\\CLSID\\\\{33333333-2222-3333-4444-555555555555}"},
            {kHkeyLocalMachine, "Software\\Classes\\Wow6432Node\\Vek.Explicit",
             "Software\\\\Classes\\\\Vek.Explicit"},
        });
}

TEST(RegistryViewTest, ThirtyTwoBitPrefixHasNoRedirection) {
    ExpectPlacements(PrefixArch::Win32,
                     {
                         {kHkeyLocalMachine, "Software\\Vendor\\Product", "Software\\\\Vendor\\\\Product"},
                         {kHkeyCurrentUser, "Software\\Vendor", "Software\\\\Vendor"},
                         {kHkeyClassesRoot, "CLSID\\{11111111-2222-3333-4444-555555555555}",
                          "Software\\\\Classes\\\\CLSID\\\\{11111111-2222-3333-4444-555555555555}"},
                     });
}

TEST(RegistryViewTest, KeysOpenedOnTheWayKeepTheView) {
    TempPrefix prefix;
    RegKeyHandle software{};
    ASSERT_EQ(OpenRegKey(kHkeyLocalMachine, "Software", kKeyWriteAccess, software), kErrorSuccess);
    RegKeyHandle relative{};
    ASSERT_EQ(CreateRegKey(software, "Relative", kKeyWriteAccess, relative), kErrorSuccess);
    EXPECT_EQ(CloseRegKey(relative), kErrorSuccess);
    EXPECT_EQ(CloseRegKey(software), kErrorSuccess);
    RegKeyHandle clsid{};
    ASSERT_EQ(OpenRegKey(kHkeyClassesRoot, "CLSID", kKeyWriteAccess, clsid), kErrorSuccess);
    RegKeyHandle server{};
    ASSERT_EQ(CreateRegKey(clsid, "{22222222-2222-3333-4444-555555555555}", kKeyWriteAccess, server),
              kErrorSuccess);
    EXPECT_EQ(CloseRegKey(server), kErrorSuccess);
    EXPECT_EQ(CloseRegKey(clsid), kErrorSuccess);
    EXPECT_EQ(prefix.SubKeyNames(kHkeyLocalMachine, "Software"),
              (std::vector<std::string>{"Classes", "Relative"}));
    prefix.CloseMachine();
    const std::string text = prefix.SystemHiveText();
    EXPECT_NE(text.find("\n[Software\\\\Wow6432Node\\\\Relative] "), std::string::npos);
    EXPECT_NE(
        text.find(
            "\n[Software\\\\Classes\\\\Wow6432Node\\\\CLSID\\\\{22222222-2222-3333-4444-555555555555}] "),
        std::string::npos);
}

TEST(RegistryViewTest, SixtyFourBitKeysAreHiddenBehindWow6432Node) {
    TempPrefix prefix;
    prefix.SetString(kHkeyLocalMachine, "Software\\Wow6432Node\\Only32", "v", "32");
    // Reached explicitly, the 64-bit side shows nothing of the 32-bit keys and the other way round.
    EXPECT_TRUE(prefix.KeyExists(kHkeyLocalMachine, "Software\\Only32"));
    prefix.CloseMachine();
    std::ofstream(prefix.Folder() / "system.reg", std::ios::app)
        << "\n[Software\\\\Only64] 1796990001\n#time=1dd896637fd4e80\n\"v\"=\"64\"\n";
    prefix.Reopen();
    EXPECT_FALSE(prefix.KeyExists(kHkeyLocalMachine, "Software\\Only64"));
    EXPECT_TRUE(prefix.KeyExists(kHkeyLocalMachine, "Software\\Only32"));
}

TEST(RegistryViewTest, ClassesRootItselfAndItsThirtyTwoBitSide) {
    TempPrefix prefix;
    // Opened by name, HKEY_CLASSES_ROOT is Software\Classes; a key created there with no name is the
    // shared 32-bit node, as Wine 8 gives it.
    const auto classes = prefix.SubKeyNames(kHkeyClassesRoot, "");
    EXPECT_EQ(classes, (std::vector<std::string>{"AppID", "Typelib", "Wow6432Node"}));
    RegKeyHandle node{};
    ASSERT_EQ(CreateRegKey(kHkeyClassesRoot, "", kKeyWriteAccess, node), kErrorSuccess);
    std::vector<std::string> names;
    std::string name;
    for (std::uint32_t i = 0; EnumRegSubKeyName(node, i, name) == kErrorSuccess; ++i)
        names.push_back(name);
    EXPECT_EQ(names, (std::vector<std::string>{"AppId", "CLSID", "Interface", "Protocols", "TypeLib"}));
    EXPECT_EQ(CloseRegKey(node), kErrorSuccess);
}

TEST(RegistryViewTest, LookingAtAMissingClassesRootChangesNothing) {
    TempPrefix prefix(PrefixArch::Win32);
    prefix.CloseMachine();
    const std::string headerOnly =
        "WINE REGISTRY Version 2\n;; All keys relative to REGISTRY\\\\Machine\n\n#arch=win32\n";
    std::ofstream(prefix.Folder() / "system.reg", std::ios::trunc) << headerOnly;
    prefix.Reopen();
    EXPECT_FALSE(prefix.KeyExists(kHkeyClassesRoot, "CLSID"));
    EXPECT_TRUE(prefix.SubKeyNames(kHkeyClassesRoot, "").empty());
    prefix.CloseMachine();
    EXPECT_EQ(prefix.SystemHiveText(), headerOnly);
    // Written to, the classes root is saved with what it holds, as Wine saves it.
    prefix.Reopen();
    prefix.SetString(kHkeyClassesRoot, "Vek.ProgId", "", "x");
    prefix.CloseMachine();
    EXPECT_NE(prefix.SystemHiveText().find("\n[Software\\\\Classes\\\\Vek.ProgId] "), std::string::npos);
}

// A link key of system.reg as Wine writes one (the target path in UTF-16LE hex, here on one line).
std::string LinkBlock(const std::string& key, const std::string& target) {
    std::string hex;
    char byte[8];
    for (const char c : target) {
        std::snprintf(byte, sizeof(byte), "%s%02x,00", hex.empty() ? "" : ",", static_cast<unsigned char>(c));
        hex += byte;
    }
    return "\n[" + key + "] 1796990001\n#time=1dd896637fd4e80\n#link\n\"SymbolicLinkValue\"=hex(6):" + hex +
           "\n";
}

TEST(RegistryViewTest, LinksLeadToTheirTargets) {
    TempPrefix prefix;
    prefix.CloseMachine();
    std::ofstream(prefix.Folder() / "system.reg", std::ios::app)
        << "\n[Software\\\\Shared] 1796990001\n#time=1dd896637fd4e80\n\"Where\"=\"64\"\n"
        << LinkBlock("Software\\\\Wow6432Node\\\\Dangling", "\\Registry\\Machine\\Software\\Missing")
        << LinkBlock("Software\\\\Wow6432Node\\\\Loop", "\\Registry\\Machine\\Software\\Wow6432Node\\Loop")
        << LinkBlock("Software\\\\Wow6432Node\\\\Shared", "\\Registry\\Machine\\Software\\Shared");
    prefix.Reopen();
    // The 32-bit Software\Shared is the 64-bit one.
    EXPECT_EQ(prefix.ReadString(kHkeyLocalMachine, "Software\\Shared", "Where"), "64");
    prefix.SetString(kHkeyLocalMachine, "Software\\Shared\\Sub", "v", "1");
    // A link to a missing key: opening through it fails, creating through it creates its target.
    EXPECT_FALSE(prefix.KeyExists(kHkeyLocalMachine, "Software\\Dangling"));
    prefix.SetString(kHkeyLocalMachine, "Software\\Dangling\\Sub", "v", "2");
    EXPECT_EQ(prefix.ReadString(kHkeyLocalMachine, "Software\\Dangling\\Sub", "v"), "2");
    // A link to itself leads nowhere, and the walk ends.
    RegKeyHandle key{};
    EXPECT_EQ(OpenRegKey(kHkeyLocalMachine, "Software\\Loop", kKeyRead, key), kErrorFileNotFound);
    EXPECT_EQ(CreateRegKey(kHkeyLocalMachine, "Software\\Loop\\Sub", kKeyWriteAccess, key),
              kErrorFileNotFound);
    prefix.CloseMachine();
    const std::string text = prefix.SystemHiveText();
    EXPECT_NE(text.find("\n[Software\\\\Shared\\\\Sub] "), std::string::npos);
    EXPECT_NE(text.find("\n[Software\\\\Missing\\\\Sub] "), std::string::npos);
    EXPECT_EQ(text.find("Wow6432Node\\\\Shared\\\\Sub"), std::string::npos);
}

} // namespace
