// The registry calls of the posix backend over a temporary prefix: Windows' results and error codes,
// as a 32-bit program sees them under Wine.

#include "platform/Registry.h"
#include "platform/Win32Constants.h"
#include "support/TempPrefix.h"

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
    TempPrefix prefix;
};

TEST_F(RegistryCallsTest, CreatedKeyAndValueReadBack) {
    RegKeyHandle key{};
    ASSERT_EQ(CreateRegKey(kHkeyCurrentUser, "Software\\Vendor\\Product", kKeyWriteAccess, key),
              kErrorSuccess);
    ASSERT_EQ(WriteRegValue(key, "Search Path", kRegSz, Sz("C:\\Lib")), kErrorSuccess);
    std::uint32_t type = 0;
    std::vector<std::uint8_t> data;
    ASSERT_EQ(QueryRegValue(key, "search path", type, data), kErrorSuccess);
    EXPECT_EQ(type, kRegSz);
    EXPECT_EQ(data, Sz("C:\\Lib"));
    EXPECT_EQ(CloseRegKey(key), kErrorSuccess);
    EXPECT_EQ(prefix.ReadString(kHkeyCurrentUser, "SOFTWARE\\vendor\\PRODUCT", "Search Path"), "C:\\Lib");
}

} // namespace
