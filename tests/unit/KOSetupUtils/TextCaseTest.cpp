#include "KOSetupUtils/TextCase.h"

#include <gtest/gtest.h>

namespace kosetup {
namespace {

TEST(TextCaseTest, MapsOnlyAsciiLetters) {
    // Bytes above 127 (here Windows-1252 e-acute and E-acute) are left as they are.
    EXPECT_EQ(AsciiUpperCase("MyVek z\xe9-1_a"), "MYVEK Z\xe9-1_A");
    EXPECT_EQ(AsciiLowerCase("MyVek Z\xc9-1_A"), "myvek z\xc9-1_a");
    EXPECT_EQ(AsciiUpperCase(""), "");
}

TEST(TextCaseTest, EqualIgnoringAsciiCase) {
    // a, b, equal
    const struct {
        const char* a;
        const char* b;
        bool equal;
    } cases[] = {
        {"Win32", "WIN32", true}, {"net", "Net", true},    {"", "", true},
        {"Win3", "Win32", false}, {"\xe9", "\xc9", false}, {"All", "All ", false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.a) + " / " + c.b);
        EXPECT_EQ(EqualAsciiIgnoreCase(c.a, c.b), c.equal);
    }
}

} // namespace
} // namespace kosetup
