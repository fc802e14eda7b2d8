#include "VekSetupUtils/CommandLine.h"

#include <gtest/gtest.h>

namespace veksetup {
namespace {

TEST(GetParamTest, FindsOptionsAsWritten) {
    // arguments, option, found, value
    const struct {
        CommandLineArgs args;
        const char* option;
        bool found;
        const char* value;
    } cases[] = {
        {{}, "-N", false, ""},
        {{"-U"}, "-U", true, ""},
        {{"-u"}, "-U", false, ""},       // a bare switch must be upper case
        {{"-U=0"}, "-U", true, "0"},     // a value still counts as present
        {{"-u=yes"}, "-U", true, "yes"}, // the "=" form in any case
        {{"-path=C:\\X"}, "-PATH", true, "C:\\X"},
        {{"-PATH=C:\\X", "-P=Win32"}, "-P", true, "Win32"}, // -P does not match -PATH=
        {{"-PL=vek"}, "-P", false, ""},
        {{"-FN=Title", "-FMX"}, "-F", false, ""},
        {{"-N=A", "-N=B"}, "-N", true, "A"}, // the first occurrence wins
        {{"-N", "-N=B"}, "-N", true, ""},
        {{"-N="}, "-N", true, ""},
        {{"-FN=Sample Components"}, "-FN", true, "Sample Components"},
        {{"-N=a=b"}, "-N", true, "a=b"},
        {{"x-N=A"}, "-N", false, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.option) + " in " + (c.args.empty() ? "" : c.args.front()));
        const ParamLookup result = GetParam(c.args, c.option);
        EXPECT_EQ(result.found, c.found);
        EXPECT_EQ(result.value, c.value);
        EXPECT_EQ(HasFlag(c.args, c.option), c.found);
    }
}

TEST(GetParamTest, CutsLongValuesTo9999Characters) {
    const std::string value(10000, 'v');
    const ParamLookup result = GetParam({"-N=" + value}, "-N");
    EXPECT_EQ(result.value, value.substr(0, 9999));
    EXPECT_EQ(GetParam({"-N=" + value.substr(0, 9999)}, "-N").value.size(), 9999u);
}

TEST(IsGivenTest, RejectsEmptyAndExactNotAvailable) {
    EXPECT_FALSE(IsGiven(""));
    EXPECT_FALSE(IsGiven("N/A"));
    EXPECT_TRUE(IsGiven("n/a"));
    EXPECT_TRUE(IsGiven("N/A "));
    EXPECT_TRUE(IsGiven("Delphi"));
}

TEST(SplitBarTest, SplitsAtEveryBarButTheLast) {
    // text, parts
    const struct {
        const char* text;
        TStringArray parts;
    } cases[] = {
        {"", {""}},
        {"a", {"a"}},
        {"a|b", {"a", "b"}},
        {"a||b", {"a", "", "b"}},
        {"|a", {"", "a"}},
        {"a|", {"a"}},
        {"|", {""}},
        {"||", {"", ""}},
        {"Delphi|CBuilder|Delphi", {"Delphi", "CBuilder", "Delphi"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(SplitBar(c.text), c.parts);
    }
}

TEST(ContainsItemTest, ComparesAsciiCaseInsensitively) {
    const TStringArray items = {"win32", "", "NET"};
    EXPECT_TRUE(ContainsItem(items, "Win32"));
    EXPECT_TRUE(ContainsItem(items, "Net"));
    EXPECT_TRUE(ContainsItem(items, ""));
    EXPECT_FALSE(ContainsItem(items, "Win64"));
    EXPECT_FALSE(ContainsItem(items, "win3"));
    EXPECT_FALSE(ContainsItem({}, ""));
}

} // namespace
} // namespace veksetup
