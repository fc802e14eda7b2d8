// The escaped text of hive files, as the Wine server writes (dump_strW) and reads (parse_strW) it.

#include "registry/HiveText.h"

#include <gtest/gtest.h>

namespace {

using platform::posix::AppendEscaped;
using platform::posix::ParseEscaped;
using namespace std::string_literals;

TEST(HiveTextTest, EscapesAsWineWritesThem) {
    struct Case {
        std::u16string text;
        std::string quoted;
        std::string escaped;
    };
    // text, characters escaped besides "\", the file's form
    const Case cases[] = {
        {u"C:\\windows", "\"\"", "C:\\\\windows"},
        {u"say \"hi\" [x]", "\"\"", "say \\\"hi\\\" [x]"},
        {u"K[e]y \"q\"", "[]", "K\\[e\\]y \"q\""},
        {u"\a\b\t\n\v\f\r\x1b", "\"\"", "\\a\\b\\t\\n\\v\\f\\r\\e"},
        {u"\x01x\x01"
         u"7\x02",
         "\"\"", "\\1x\\0017\\2"},
        {u"one\0two\0"s, "\"\"", "one\\0two"},
        {u"\x00e9t\x00e9", "\"\"", "\\xe9t\\xe9"},
        {u"\x00e9"
         u"a\x00e9g",
         "\"\"", "\\x00e9a\\xe9g"},
        {u"\x20ac"
         u"1\x4e00\x0100",
         "[]", "\\x20ac1\\x4e00\\x100"},
        {u"\x7f~ ", "\"\"", "\x7f~ "},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.escaped);
        std::string out = "prefix";
        const std::size_t count = AppendEscaped(out, c.text, c.quoted);
        EXPECT_EQ(out, "prefix" + c.escaped);
        EXPECT_EQ(count, c.escaped.size());
    }
}

TEST(HiveTextTest, ParsesAsWineReadsThem) {
    struct Case {
        std::string source;
        char endChar;
        std::u16string text;
        std::size_t consumed;
    };
    // the file's text, the character that ends it, the text read, the bytes consumed with the end
    const Case cases[] = {
        {"C:\\\\windows\" rest", '"', u"C:\\windows", 12},
        {"K\\[e\\]y] 123", ']', u"K[e]y", 8},
        {"\\a\\b\\t\\n\\v\\f\\r\\e\"", '"', u"\a\b\t\n\v\f\r\x1b", 17},
        {"\\1x\\0017\\2\"", '"',
         u"\x01x\x01"
         u"7\x02",
         11},
        {"\\x20ac1\\xe9\\x\"", '"',
         u"\x20ac"
         u"1\x00e9x",
         14},
        {"\\x123456\"", '"',
         u"\x1234"
         u"56",
         9},
        {"\\q\\\"\"", '"', u"q\"", 5},
        {"\xc3\xa9t\xe2\x82\xac\"", '"', u"\x00e9t\x20ac", 7},
        {"\xf0\x9f\x98\x80\"", '"', u"\xd83d\xde00", 5},
        {"a\xc3(b\x80z\"", '"', u"a(bz", 7},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.source);
        std::u16string text;
        const auto consumed = ParseEscaped(c.source, c.endChar, text);
        ASSERT_TRUE(consumed.has_value());
        EXPECT_EQ(text, c.text);
        EXPECT_EQ(*consumed, c.consumed);
    }
}

TEST(HiveTextTest, MissingEndCharacterIsNoText) {
    for (const auto& source : {"no end"s, "escaped end \\\""s, "trailing backslash \\"s, "nul\0end\""s}) {
        SCOPED_TRACE(source);
        std::u16string text;
        EXPECT_FALSE(ParseEscaped(source, '"', text).has_value());
    }
}

TEST(HiveTextTest, EveryUnitSurvivesEscapingAndParsing) {
    std::u16string all;
    for (char32_t unit = 1; unit <= 0xffff; ++unit)
        all.push_back(static_cast<char16_t>(unit));
    for (const auto& quoted : {"\"\""s, "[]"s}) {
        SCOPED_TRACE(quoted);
        std::string escaped;
        AppendEscaped(escaped, all, quoted);
        std::u16string parsed;
        const auto consumed = ParseEscaped(escaped + quoted[1], quoted[1], parsed);
        ASSERT_TRUE(consumed.has_value());
        EXPECT_EQ(*consumed, escaped.size() + 1);
        EXPECT_TRUE(parsed == all);
    }
}

} // namespace
