#include "KOSetupUtils/IntegerText.h"

#include "platform/Exceptions.h"

#include <gtest/gtest.h>

namespace kosetup {
namespace {

TEST(StrToIntTest, ConvertsEveryAcceptedForm) {
    // text, value
    const struct {
        const char* text;
        std::int32_t value;
    } cases[] = {
        {"0", 0},
        {"16", 16},
        {"007", 7},
        {"   24", 24},
        {"+5", 5},
        {"-12", -12},
        {"$1F", 31},
        {"x1f", 31},
        {"X10", 16},
        {"0x10", 16},
        {"0Xff", 255},
        {"-$10", -16},
        {"2147483647", 2147483647},
        {"-2147483648", -2147483647 - 1},
        {"$7FFFFFFF", 2147483647},
        {"$FFFFFFFF", -1},
        {"0x80000000", -2147483647 - 1},
        {"$000000010", 16},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(StrToInt(c.text), c.value);
    }
}

TEST(StrToIntTest, RejectsEverythingElseWithTheConversionError) {
    const char* const cases[] = {
        "",    " ",          "+",           "-",          "12 ",         "1 2", "1a",
        "abc", "$",          "0x",          "x",          "--1",         "+-1", "1.0",
        "\t1", "2147483648", "-2147483649", "$100000000", "0x1FFFFFFFF", "- 1", "16\r\n",
    };
    for (const char* text : cases) {
        SCOPED_TRACE(text);
        try {
            StrToInt(text);
            ADD_FAILURE() << "no error";
        } catch (const platform::EConvertError& error) {
            EXPECT_EQ(error.Message(), "'" + std::string(text) + "' is not a valid integer value");
            EXPECT_STREQ(error.ClassName(), "EConvertError");
        }
    }
}

} // namespace
} // namespace kosetup
