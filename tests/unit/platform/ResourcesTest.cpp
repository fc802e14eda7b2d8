// The program's own RCDATA resources in the native build: registered by generated sources before
// main runs, served by LoadOwnRcData.

#include "platform/Resources.h"

#include "platform/posix/OwnResourceTable.h"

#include <gtest/gtest.h>

namespace {

// Two resources of this test program, as the build's generated sources register them.
const unsigned char kLayoutBytes[] = {'[', 'M', 'a', 'i', 'n', ']', '\r', '\n', 0, 0xff};
const platform::posix::OwnResourceRegistration kLayout(9102, kLayoutBytes, sizeof kLayoutBytes);
const unsigned char kEmptyBytes[] = {0};
const platform::posix::OwnResourceRegistration kEmpty(9103, kEmptyBytes, 0);

TEST(ResourcesTest, ARegisteredResourceComesBackWhole) {
    const std::optional<std::string> bytes = platform::LoadOwnRcData(9102);
    ASSERT_TRUE(bytes.has_value());
    EXPECT_EQ(*bytes, std::string(reinterpret_cast<const char*>(kLayoutBytes), sizeof kLayoutBytes));
    EXPECT_EQ(platform::LoadOwnRcData(9103), std::string());
}

TEST(ResourcesTest, AMissingResourceIsNothing) {
    EXPECT_FALSE(platform::LoadOwnRcData(9104).has_value());
}

} // namespace
