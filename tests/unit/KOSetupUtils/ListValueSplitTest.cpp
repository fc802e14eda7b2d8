#include "KOSetupUtils/ListValue.h"

#include <gtest/gtest.h>

namespace kosetup {
namespace {

using Entries = std::vector<std::string>;

TEST(ListValueSplitTest, SplitsAtEverySemicolon) {
    // text, entries
    const struct {
        const char* text;
        Entries entries;
    } cases[] = {
        {"", {}},
        {"a", {"a"}},
        {"a;;b", {"a", "", "b"}},
        {";a", {"", "a"}},
        {"a;", {"a"}},
        {"a;;", {"a", ""}},
        {";", {""}},
        {" a ; b", {" a ", " b"}},
        {"C:\\X\\;C:\\X", {"C:\\X\\", "C:\\X"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(SplitListValue(c.text), c.entries);
    }
}

TEST(ListValueSplitTest, JoinsTheNonEmptyEntries) {
    // entries, text
    const struct {
        Entries entries;
        const char* text;
    } cases[] = {
        {{}, ""},
        {{""}, ""},
        {{"a"}, "a"},
        {{"a", "", "b", ""}, "a;b"},
        {{"", "", "c"}, "c"},
        {{" ", "x"}, " ;x"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(JoinListValue(c.entries), c.text);
    }
    EXPECT_EQ(JoinListValue(SplitListValue("a;;b;")), "a;b");
}

} // namespace
} // namespace kosetup
