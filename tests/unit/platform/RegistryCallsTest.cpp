// The registry calls of the posix backend over a temporary prefix: Windows' results and error codes,
// as a 32-bit program sees them under Wine 8 (each expectation was measured there).

#include "platform/Registry.h"
#include "platform/Win32Constants.h"
#include "support/TempPrefix.h"

#include <filesystem>
#include <fstream>
#include <functional>
#include <gtest/gtest.h>

namespace {

using namespace platform;
using veksetup::testing::TempPrefix;

std::vector<std::uint8_t> Sz(const std::string& text) {
    std::vector<std::uint8_t> data(text.begin(), text.end());
    data.push_back(0);
    return data;
}

class RegistryCallsTest : public ::testing::Test {
  protected:
    RegKeyHandle Open(RegKeyHandle root, const std::string& path, std::uint32_t access = kKeyRead) {
        RegKeyHandle key{};
        EXPECT_EQ(OpenRegKey(root, path, access, key), kErrorSuccess) << path;
        return key;
    }
    RegKeyHandle Create(RegKeyHandle root, const std::string& path) {
        RegKeyHandle key{};
        EXPECT_EQ(CreateRegKey(root, path, kKeyWriteAccess, key), kErrorSuccess) << path;
        return key;
    }
    // Appends key blocks to user.reg as Wine would have written them, then opens the machine again.
    void AppendToUserHive(const std::string& blocks) {
        prefix.CloseMachine();
        std::ofstream(prefix.Folder() / "user.reg", std::ios::app) << blocks;
        prefix.Reopen();
    }

    TempPrefix prefix;
};

TEST_F(RegistryCallsTest, CreatedKeyAndValueReadBack) {
    const RegKeyHandle key = Create(kHkeyCurrentUser, "Software\\Vendor\\Product");
    ASSERT_EQ(WriteRegValue(key, "Search Path", kRegSz, Sz("C:\\Lib")), kErrorSuccess);
    std::uint32_t type = 0;
    std::vector<std::uint8_t> data;
    ASSERT_EQ(QueryRegValue(key, "search path", type, data), kErrorSuccess);
    EXPECT_EQ(type, kRegSz);
    EXPECT_EQ(data, Sz("C:\\Lib"));
    EXPECT_EQ(CloseRegKey(key), kErrorSuccess);
    EXPECT_EQ(prefix.ReadString(kHkeyCurrentUser, "SOFTWARE\\vendor\\PRODUCT", "Search Path"), "C:\\Lib");
    prefix.Reopen();
    EXPECT_EQ(prefix.ReadString(kHkeyCurrentUser, "Software\\Vendor\\Product", "Search Path"), "C:\\Lib");
}

TEST_F(RegistryCallsTest, ErrorCodesAreWindows) {
    prefix.SetString(kHkeyCurrentUser, "Software\\Tree\\Leaf", "v", "1");
    const RegKeyHandle readOnly = Open(kHkeyCurrentUser, "Software\\Tree");
    const RegKeyHandle writable = Open(kHkeyCurrentUser, "Software\\Tree", kKeyWriteAccess);
    const std::string name256(256, 'n');
    RegKeyHandle unused{};
    std::string name;
    std::uint32_t type = 0;
    std::vector<std::uint8_t> data;
    struct Case {
        const char* call;
        std::function<long()> run;
        long expected;
    };
    // the call, how it is made, the error Wine 8 returned
    const Case cases[] = {
        {"open missing", [&] { return OpenRegKey(kHkeyCurrentUser, "Software\\Nope", kKeyRead, unused); },
         kErrorFileNotFound},
        {"open leading backslash",
         [&] { return OpenRegKey(kHkeyLocalMachine, "\\Software", kKeyRead, unused); }, kErrorBadPathName},
        {"open leading backslash below HKCR",
         [&] { return OpenRegKey(kHkeyClassesRoot, "\\CLSID", kKeyRead, unused); }, kErrorSuccess},
        {"create leading backslash below HKCR",
         [&] { return CreateRegKey(kHkeyClassesRoot, "\\Vek", kKeyWriteAccess, unused); }, kErrorBadPathName},
        {"delete leading backslash below HKCR", [&] { return DeleteRegKey(kHkeyClassesRoot, "\\CLSID"); },
         kErrorBadPathName},
        {"create 256 characters",
         [&] { return CreateRegKey(kHkeyCurrentUser, name256, kKeyWriteAccess, unused); }, kErrorSuccess},
        {"create 257 characters",
         [&] { return CreateRegKey(kHkeyCurrentUser, name256 + "n", kKeyWriteAccess, unused); },
         kErrorInvalidParameter},
        {"query missing value", [&] { return QueryRegValue(writable, "nothere", type, data); },
         kErrorFileNotFound},
        {"delete missing value", [&] { return DeleteRegValue(writable, "nothere"); }, kErrorFileNotFound},
        {"set on read handle", [&] { return WriteRegValue(readOnly, "x", kRegSz, Sz("x")); },
         kErrorAccessDenied},
        {"delete value on read handle", [&] { return DeleteRegValue(readOnly, "nothere"); },
         kErrorAccessDenied},
        {"delete key with subkeys", [&] { return DeleteRegKey(kHkeyCurrentUser, "Software\\Tree"); },
         kErrorAccessDenied},
        {"delete hive root", [&] { return DeleteRegKey(kHkeyCurrentUser, ""); }, kErrorAccessDenied},
        {"enumerate values past the end", [&] { return EnumRegValueName(writable, 0, name); },
         kErrorNoMoreItems},
        {"enumerate keys past the end", [&] { return EnumRegSubKeyName(writable, 1, name); },
         kErrorNoMoreItems},
        {"open below unknown handle", [&] { return OpenRegKey(RegKeyHandle{0x1234}, "x", kKeyRead, unused); },
         kErrorInvalidHandle},
        {"close predefined key", [&] { return CloseRegKey(kHkeyLocalMachine); }, kErrorSuccess},
        {"close open key", [&] { return CloseRegKey(readOnly); }, kErrorSuccess},
        {"close it again", [&] { return CloseRegKey(readOnly); }, kErrorInvalidHandle},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.call);
        EXPECT_EQ(c.run(), c.expected);
    }
    EXPECT_EQ(CloseRegKey(writable), kErrorSuccess);
}

TEST_F(RegistryCallsTest, DeletedKeyFailsThroughItsOpenHandle) {
    prefix.SetString(kHkeyCurrentUser, "Software\\Gone", "a", "b");
    const RegKeyHandle key = Open(kHkeyCurrentUser, "Software\\Gone", kKeyWriteAccess);
    ASSERT_EQ(DeleteRegKey(kHkeyCurrentUser, "Software\\Gone"), kErrorSuccess);
    std::uint32_t type = 0;
    std::vector<std::uint8_t> data;
    EXPECT_EQ(QueryRegValue(key, "a", type, data), kErrorKeyDeleted);
    EXPECT_EQ(WriteRegValue(key, "c", kRegSz, Sz("x")), kErrorKeyDeleted);
    EXPECT_EQ(CloseRegKey(key), kErrorSuccess);
    EXPECT_FALSE(prefix.KeyExists(kHkeyCurrentUser, "Software\\Gone"));
}

TEST_F(RegistryCallsTest, ValuesEnumerateInWinesOrder) {
    // Created in this order; Wine lists them sorted, lower-casing before it compares.
    const std::vector<std::string> created = {"Search Path", "zeta", "Alpha", "_x",  "a_b", "ab",   "AB2",
                                              "\xe9t\xe9",   "Z",    "[",     "a b", "~",   "\xc9T"};
    const std::vector<std::string> listed = {"[",           "_x", "a b",  "a_b", "ab",    "AB2",      "Alpha",
                                             "Search Path", "Z",  "zeta", "~",   "\xc9T", "\xe9t\xe9"};
    for (const auto& name : created)
        prefix.SetString(kHkeyCurrentUser, "Software\\Order", name, "v");
    EXPECT_EQ(prefix.ValueNames(kHkeyCurrentUser, "Software\\Order"), listed);
    for (const auto& name : created)
        prefix.CreateKey(kHkeyCurrentUser, "Software\\Order\\" + name);
    EXPECT_EQ(prefix.SubKeyNames(kHkeyCurrentUser, "Software\\Order"), listed);
}

TEST_F(RegistryCallsTest, NamesKeepTheirFirstSpelling) {
    prefix.SetString(kHkeyCurrentUser, "Software\\MyVendor", "Name", "1");
    prefix.SetString(kHkeyCurrentUser, "SOFTWARE\\myvendor\\Sub", "NAME", "2");
    prefix.SetString(kHkeyCurrentUser, "software\\MYVENDOR", "name", "3");
    EXPECT_EQ(prefix.SubKeyNames(kHkeyCurrentUser, "Software\\MyVendor"), std::vector<std::string>{"Sub"});
    EXPECT_EQ(prefix.ValueNames(kHkeyCurrentUser, "Software\\myvendor"), std::vector<std::string>{"Name"});
    EXPECT_EQ(prefix.ReadString(kHkeyCurrentUser, "Software\\MyVendor", "Name"), "3");
    prefix.CloseMachine();
    EXPECT_NE(prefix.UserHiveText().find("\n[Software\\\\MyVendor] "), std::string::npos);
    EXPECT_NE(prefix.UserHiveText().find("\n\"Name\"=\"3\"\n"), std::string::npos);
}

TEST_F(RegistryCallsTest, KeyInfoCountsCharactersAndStoredBytes) {
    prefix.SetString(kHkeyCurrentUser, "Software\\Info", "Search Path", "abc");
    prefix.SetDword(kHkeyCurrentUser, "Software\\Info", "n", 7);
    prefix.CreateKey(kHkeyCurrentUser, "Software\\Info\\Longest\xe9");
    prefix.CreateKey(kHkeyCurrentUser, "Software\\Info\\S");
    const RegKeyHandle key = Open(kHkeyCurrentUser, "Software\\Info");
    RegKeyInfo info;
    ASSERT_EQ(QueryRegKeyInfo(key, info), kErrorSuccess);
    EXPECT_EQ(info.subKeyCount, 2u);
    EXPECT_EQ(info.maxSubKeyNameLength, 8u);
    EXPECT_EQ(info.valueCount, 2u);
    EXPECT_EQ(info.maxValueNameLength, 11u);
    EXPECT_EQ(info.maxValueDataLength, 8u); // "abc" and its NUL as the hive holds them: UTF-16
    EXPECT_EQ(CloseRegKey(key), kErrorSuccess);
}

TEST_F(RegistryCallsTest, AnsiTextConvertsThroughWindows1252) {
    std::string every;
    for (int byte = 1; byte < 256; ++byte)
        every.push_back(static_cast<char>(byte));
    prefix.SetString(kHkeyCurrentUser, "Software\\Ansi", every.substr(31), "\x80\x81\x9f\xff");
    EXPECT_EQ(prefix.ValueNames(kHkeyCurrentUser, "Software\\Ansi"),
              std::vector<std::string>{every.substr(31)});
    prefix.SetString(kHkeyCurrentUser, "Software\\Ansi", "all", every);
    EXPECT_EQ(prefix.ReadString(kHkeyCurrentUser, "Software\\Ansi", "all"), every);
    EXPECT_EQ(prefix.ReadString(kHkeyCurrentUser, "Software\\Ansi", every.substr(31)), "\x80\x81\x9f\xff");
    prefix.CloseMachine();
    // 0x80 is the euro sign; 0x81 has no character in 1252 and stays U+0081, as Windows maps it.
    EXPECT_NE(prefix.UserHiveText().find("\"=\"\\x20ac\\x81\\x178\\xff\"\n"), std::string::npos);
}

TEST_F(RegistryCallsTest, UnicodeTextReadsAsWineConvertsIt) {
    AppendToUserHive("\n[Software\\\\Wide] 1796990001\n#time=1dd896637fd4e80\n"
                     "\"\\x100wide\"=\"\\x100\\x20ac\\x4e00xyz\"\n"
                     "\"multi\"=str(7):\"one\\0two\\0\"\n");
    // U+0100 has a best-fit "A", the euro sign is 0x80, U+4E00 has nothing and becomes "?".
    // Sorted by UTF-16 unit: "multi" before U+0100.
    EXPECT_EQ(prefix.ValueNames(kHkeyCurrentUser, "Software\\Wide"),
              (std::vector<std::string>{"multi", "Awide"}));
    const RegKeyHandle key = Open(kHkeyCurrentUser, "Software\\Wide");
    std::uint32_t type = 0;
    std::vector<std::uint8_t> data;
    EXPECT_EQ(QueryRegValue(key, "Awide", type, data), kErrorFileNotFound);
    ASSERT_EQ(QueryRegValue(key, "multi", type, data), kErrorSuccess);
    EXPECT_EQ(type, kRegMultiSz);
    EXPECT_EQ(data, (std::vector<std::uint8_t>{'o', 'n', 'e', 0, 't', 'w', 'o', 0, 0}));
    EXPECT_EQ(CloseRegKey(key), kErrorSuccess);
}

TEST_F(RegistryCallsTest, DeletingKeepsTheTreeConsistent) {
    prefix.SetString(kHkeyCurrentUser, "Software\\Del\\A\\Deep", "v", "1");
    prefix.SetString(kHkeyCurrentUser, "Software\\Del\\B", "v", "2");
    EXPECT_EQ(DeleteRegKey(kHkeyCurrentUser, "Software\\Del\\A"), kErrorAccessDenied);
    EXPECT_EQ(DeleteRegKey(kHkeyCurrentUser, "Software\\Del\\A\\Deep"), kErrorSuccess);
    EXPECT_EQ(DeleteRegKey(kHkeyCurrentUser, "software\\del\\a"), kErrorSuccess);
    EXPECT_EQ(DeleteRegKey(kHkeyCurrentUser, "Software\\Del\\A"), kErrorFileNotFound);
    EXPECT_EQ(prefix.SubKeyNames(kHkeyCurrentUser, "Software\\Del"), std::vector<std::string>{"B"});
    prefix.CreateKey(kHkeyCurrentUser, "Software\\Del\\A");
    EXPECT_EQ(prefix.SubKeyNames(kHkeyCurrentUser, "Software\\Del"), (std::vector<std::string>{"A", "B"}));
    EXPECT_TRUE(prefix.ValueNames(kHkeyCurrentUser, "Software\\Del\\A").empty());
    prefix.CloseMachine();
    const std::string text = prefix.UserHiveText();
    EXPECT_EQ(text.find("Deep"), std::string::npos);
    EXPECT_NE(text.find("\n[Software\\\\Del\\\\A] "), std::string::npos);
    EXPECT_NE(text.find("\n[Software\\\\Del\\\\B] "), std::string::npos);
}

TEST_F(RegistryCallsTest, SettingTheSameValueChangesNothing) {
    prefix.SetString(kHkeyCurrentUser, "Software\\Same", "v", "1");
    prefix.SetValue(kHkeyCurrentUser, "Software\\Same", "empty", kRegBinary, {});
    prefix.CloseMachine();
    const std::string saved = prefix.UserHiveText();
    prefix.Reopen();
    prefix.SetString(kHkeyCurrentUser, "Software\\Same", "v", "1");
    prefix.CloseMachine();
    EXPECT_EQ(prefix.UserHiveText(), saved);
    prefix.Reopen();
    // Wine compares only data it holds: an empty value set again is a change.
    prefix.SetValue(kHkeyCurrentUser, "Software\\Same", "empty", kRegBinary, {});
    prefix.CloseMachine();
    EXPECT_NE(prefix.UserHiveText(), saved);
}

} // namespace
