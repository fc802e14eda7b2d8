#include "VekSetupUtils/Packages.h"
#include "VekSetupUtils/SetupDriver.h"

#include <gtest/gtest.h>

namespace veksetup {
namespace {

TEST(FireMonkeyPackageTitleTest, ReplacesTheFirstComponentsOnly) {
    // title, FireMonkey title
    const struct {
        const char* title;
        const char* expected;
    } cases[] = {
        {"Sample Components for Oracle", "Sample GUI FireMonkey related Components for Oracle"},
        {"Components and Components", "GUI FireMonkey related Components and Components"},
        {"Sample components", "Sample components"}, // case-sensitive
        {"Sample", "Sample"},
        {"", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.title);
        EXPECT_EQ(FireMonkeyPackageTitle(c.title), c.expected);
    }
}

TEST(IsPlaceholderProductTest, IgnoresAsciiCase) {
    for (const char* name : {"N/A", "n/a", "DUMMY", "Dummy", "dummy"})
        EXPECT_TRUE(IsPlaceholderProduct(name)) << name;
    for (const char* name : {"", "Sample", "N/A ", "DUMMY1", "NA"})
        EXPECT_FALSE(IsPlaceholderProduct(name)) << name;
}

} // namespace
} // namespace veksetup
