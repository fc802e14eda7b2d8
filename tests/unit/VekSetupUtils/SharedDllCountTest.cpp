#include "VekSetupUtils/SharedDllCount.h"

#include "platform/Exceptions.h"
#include "platform/Win32Constants.h"
#include "support/TempPrefix.h"

#include <gtest/gtest.h>

namespace veksetup {
namespace {

using platform::kHkeyLocalMachine;

constexpr const char* kSharedDlls = "Software\\Microsoft\\Windows\\CurrentVersion\\SharedDLLs";
constexpr const char* kFile = "C:\\windows\\system32\\vek70.bpl";

class SharedDllCountTest : public ::testing::Test {
  protected:
    testing::TempPrefix prefix;
};

TEST_F(SharedDllCountTest, ReadsTheCountByItsType) {
    using Bytes = std::vector<std::uint8_t>;
    // type, data, count
    const struct {
        const char* label;
        std::uint32_t type;
        Bytes data;
        std::int32_t count;
    } cases[] = {
        {"dword 1", platform::kRegDword, {1, 0, 0, 0}, 1},
        {"dword 2", platform::kRegDword, {2, 0, 0, 0}, 2},
        {"string 2", platform::kRegSz, {'2', 0}, 2},
        {"string $10", platform::kRegSz, {'$', '1', '0', 0}, 16},
        {"binary 03 01", platform::kRegBinary, {3, 1}, 259},
        {"binary 01", platform::kRegBinary, {1}, 1},
        {"binary of four", platform::kRegBinary, {1, 0, 0, 1}, 0x01000001},
        {"binary of five", platform::kRegBinary, {1, 0, 0, 0, 0}, 0},
        {"empty binary", platform::kRegBinary, {}, 0},
        {"expandable string", platform::kRegExpandSz, {'1', 0}, 0},
        {"multi string", platform::kRegMultiSz, {'1', 0, 0}, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.label);
        prefix.SetValue(kHkeyLocalMachine, kSharedDlls, kFile, c.type, c.data);
        EXPECT_EQ(SharedDllCount(kFile), c.count);
        EXPECT_EQ(SharedDllCount("c:\\WINDOWS\\system32\\VEK70.bpl"), c.count); // names ignore case
    }
}

TEST_F(SharedDllCountTest, CountsNothingForAnUnlistedFile) {
    EXPECT_EQ(SharedDllCount(kFile), 0);
    prefix.SetDword(kHkeyLocalMachine, kSharedDlls, "C:\\windows\\system32\\other.dll", 3);
    EXPECT_EQ(SharedDllCount(kFile), 0);
}

TEST_F(SharedDllCountTest, RefusesAStringCountThatIsNoInteger) {
    for (const char* text : {"", "two", "1 "}) {
        SCOPED_TRACE(text);
        prefix.SetString(kHkeyLocalMachine, kSharedDlls, kFile, text);
        try {
            SharedDllCount(kFile);
            ADD_FAILURE() << "no error";
        } catch (const platform::EConvertError& error) {
            EXPECT_EQ(error.Message(), "'" + std::string(text) + "' is not a valid integer value");
        }
    }
}

} // namespace
} // namespace veksetup
