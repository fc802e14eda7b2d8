// The registry object the program's operations use: which reads succeed, which raise which of the
// three error texts, and the key operations (open, create, exists, recursive delete).

#include "platform/TRegistry.h"

#include "platform/Exceptions.h"
#include "platform/Win32Constants.h"
#include "support/TempPrefix.h"

#include <gtest/gtest.h>
#include <optional>
#include <string>
#include <vector>

namespace {

using platform::KeyCreation;
using platform::RegDataType;
using platform::RegistryAccess;
using platform::TRegistry;
using veksetup::testing::TempPrefix;

constexpr char kKey[] = "Software\\Velmora\\RegistryObject";

std::vector<std::uint8_t> Bytes(const std::string& text) {
    return {text.begin(), text.end()};
}

// The outcome of a read: its result, or the message of the ERegistryException it raised.
template <typename Read> std::string Outcome(Read read) {
    try {
        return "= " + read();
    } catch (const platform::ERegistryException& error) {
        return "! " + error.Message();
    }
}

class TRegistryTest : public ::testing::Test {
  protected:
    TempPrefix prefix_;
};

TEST_F(TRegistryTest, ReadsByTypeAndRaisesTheRightText) {
    // Columns: stored type and data (nothing: no such value), then the outcomes of ReadString,
    // ReadInteger, GetDataType and GetDataSize.
    struct Case {
        const char* label;
        std::optional<std::uint32_t> type;
        std::vector<std::uint8_t> data;
        std::string readString;
        std::string readInteger;
        RegDataType dataType;
        long dataSize;
    };
    const Case cases[] = {
        {"string", platform::kRegSz, Bytes(std::string("abc", 4)), "= abc", "! Invalid data type for 'V'",
         RegDataType::String, 4},
        {"long string", platform::kRegSz, Bytes(std::string("abcdef", 7)), "= abcdef",
         "! Failed to get data for 'V'", RegDataType::String, 7},
        {"text up to the first NUL", platform::kRegSz, Bytes(std::string("ab\0cd", 6)), "= ab",
         "! Failed to get data for 'V'", RegDataType::String, 6},
        {"expandable, not expanded", platform::kRegExpandSz, Bytes(std::string("%WINDIR%\\x", 11)),
         "= %WINDIR%\\x", "! Failed to get data for 'V'", RegDataType::ExpandString, 11},
        {"empty string data",
         platform::kRegSz,
         {},
         "= ",
         "! Invalid data type for 'V'",
         RegDataType::String,
         0},
        {"integer",
         platform::kRegDword,
         {0x2a, 0, 0, 0},
         "! Invalid data type for 'V'",
         "= 42",
         RegDataType::Integer,
         4},
        {"negative integer",
         platform::kRegDword,
         {0xff, 0xff, 0xff, 0xff},
         "! Invalid data type for 'V'",
         "= -1",
         RegDataType::Integer,
         4},
        {"binary",
         platform::kRegBinary,
         {1, 2},
         "! Invalid data type for 'V'",
         "! Invalid data type for 'V'",
         RegDataType::Binary,
         2},
        {"multi-string", platform::kRegMultiSz, Bytes(std::string("a\0b\0", 5)),
         "! Invalid data type for 'V'", "! Failed to get data for 'V'", RegDataType::Unknown, 5},
        {"missing", std::nullopt, {}, "= ", "! Failed to get data for 'V'", RegDataType::Unknown, -1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        if (c.type)
            prefix_.SetValue(platform::kHkeyCurrentUser, kKey, "V", *c.type, c.data);
        TRegistry registry(RegistryAccess::Read);
        ASSERT_TRUE(registry.OpenKey(kKey, KeyCreation::OpenExisting));
        EXPECT_EQ(Outcome([&] { return registry.ReadString("V"); }), c.readString);
        EXPECT_EQ(Outcome([&] { return std::to_string(registry.ReadInteger("V")); }), c.readInteger);
        EXPECT_EQ(registry.GetDataType("V"), c.dataType);
        EXPECT_EQ(registry.GetDataSize("V"), c.dataSize);
        EXPECT_EQ(registry.ValueExists("V"), c.type.has_value());
        TRegistry cleaner(RegistryAccess::Write);
        ASSERT_TRUE(cleaner.OpenKey(kKey, KeyCreation::OpenExisting));
        (void)cleaner.DeleteValue("V");
    }
}

TEST_F(TRegistryTest, ReadsBinaryDataOnlyOfBinaryOrUnknownTypeThatFits) {
    // Columns: stored type and data, the buffer's size, and the outcome (size read, or the error).
    struct Case {
        const char* label;
        std::uint32_t type;
        std::vector<std::uint8_t> data;
        std::size_t bufferSize;
        std::string outcome;
    };
    const Case cases[] = {
        {"binary that fits", platform::kRegBinary, {3, 1, 0}, 4, "= 3"},
        {"binary too large", platform::kRegBinary, {1, 2, 3, 4, 5}, 4, "! Invalid data type for 'B'"},
        {"type none", platform::kRegNone, {7}, 4, "= 1"},
        {"string", platform::kRegSz, Bytes(std::string("1", 2)), 4, "! Invalid data type for 'B'"},
        {"integer", platform::kRegDword, {1, 0, 0, 0}, 4, "! Invalid data type for 'B'"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        prefix_.SetValue(platform::kHkeyLocalMachine, kKey, "B", c.type, c.data);
        TRegistry registry(RegistryAccess::Read, platform::kHkeyLocalMachine);
        ASSERT_TRUE(registry.OpenKey(kKey, KeyCreation::OpenExisting));
        std::vector<std::uint8_t> buffer(c.bufferSize, 0xee);
        EXPECT_EQ(Outcome([&] { return std::to_string(registry.ReadBinaryData("B", buffer)); }), c.outcome);
        if (c.outcome == "= 3") {
            EXPECT_EQ(buffer, (std::vector<std::uint8_t>{3, 1, 0, 0xee}));
        }
    }
    TRegistry registry(RegistryAccess::Read, platform::kHkeyLocalMachine);
    ASSERT_TRUE(registry.OpenKey(kKey, KeyCreation::OpenExisting));
    std::vector<std::uint8_t> buffer(4);
    EXPECT_EQ(registry.ReadBinaryData("missing", buffer), 0u);
}

TEST_F(TRegistryTest, OpensCreatesAndKeepsTheOpenKeyOnFailure) {
    TRegistry registry(RegistryAccess::Write);
    EXPECT_FALSE(registry.OpenKey("Software\\Velmora\\Missing", KeyCreation::OpenExisting));
    EXPECT_FALSE(prefix_.KeyExists(platform::kHkeyCurrentUser, "Software\\Velmora\\Missing"));

    // A leading backslash is dropped; the missing parents are created.
    ASSERT_TRUE(registry.OpenKey("\\Software\\Velmora\\A\\B", KeyCreation::CreateIfMissing));
    EXPECT_TRUE(registry.KeyExists("Software\\Velmora\\A\\B"));
    registry.WriteString("Name", "first");

    // A failed open leaves the key that was open before.
    EXPECT_FALSE(registry.OpenKey("Software\\Velmora\\Missing", KeyCreation::OpenExisting));
    registry.WriteString("Other", "second");
    EXPECT_EQ(prefix_.ValueNames(platform::kHkeyCurrentUser, "Software\\Velmora\\A\\B"),
              (std::vector<std::string>{"Name", "Other"}));
    EXPECT_EQ(registry.GetValueNames(), (std::vector<std::string>{"Name", "Other"}));
}

TEST_F(TRegistryTest, WriteFailureRaisesTheSetDataText) {
    prefix_.CreateKey(platform::kHkeyCurrentUser, kKey);
    TRegistry reader(RegistryAccess::Read);
    ASSERT_TRUE(reader.OpenKey(kKey, KeyCreation::OpenExisting));
    EXPECT_EQ(Outcome([&] {
                  reader.WriteString("Name", "x");
                  return std::string();
              }),
              "! Failed to set data for 'Name'");
    TRegistry unopened(RegistryAccess::Write);
    EXPECT_THROW(unopened.WriteString("Name", "x"), platform::ERegistryException);
    EXPECT_FALSE(prefix_.ReadString(platform::kHkeyCurrentUser, kKey, "Name"));
}

TEST_F(TRegistryTest, DeleteKeyRemovesTheWholeTreeDeepestFirst) {
    for (const char* path :
         {"Software\\Velmora\\Tree\\A\\B\\C", "Software\\Velmora\\Tree\\A\\D", "Software\\Velmora\\Tree\\E"})
        prefix_.SetString(platform::kHkeyCurrentUser, path, "v", "x");
    TRegistry registry(RegistryAccess::Write);
    EXPECT_TRUE(registry.DeleteKey("Software\\Velmora\\Tree"));
    EXPECT_FALSE(prefix_.KeyExists(platform::kHkeyCurrentUser, "Software\\Velmora\\Tree"));
    EXPECT_TRUE(prefix_.KeyExists(platform::kHkeyCurrentUser, "Software\\Velmora"));
    EXPECT_FALSE(registry.DeleteKey("Software\\Velmora\\Tree"));
}

} // namespace
