// The encodings between the program's ANSI texts and unix names: Windows-1252 and UTF-8.

#include "TextEncoding.h"

#include <gtest/gtest.h>

namespace {

using namespace platform::posix;

TEST(FilesTextEncodingTest, AnsiTextsBecomeUtf8NamesAndBack) {
    struct Case {
        const char* ansi;
        const char* utf8;
    };
    const Case cases[] = {
        {"plain", "plain"},
        {"caf\xe9", "caf\xc3\xa9"},
        {"\x80uro", "\xe2\x82\xacuro"}, // the euro sign of 1252
        {"\x9c\x8a\xff", "\xc5\x93\xc5\xa0\xc3\xbf"},
        {"", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.ansi);
        EXPECT_EQ(AnsiToUtf8(c.ansi), c.utf8);
        EXPECT_EQ(Utf8ToAnsi(c.utf8), c.ansi);
    }
}

TEST(FilesTextEncodingTest, WhatWindows1252CannotHoldBecomesQuestionMarks) {
    struct Case {
        const char* utf8;
        const char* ansi;
    };
    const Case cases[] = {
        {"\xe4\xb8\xad", "?"}, // a CJK character
        {"\xf0\x9f\x98\x80!", "?"
                              "?!"}, // outside the basic plane: a "?" for each UTF-16 unit
        {"a\xff"
         "b",
         "a?b"},                 // a byte that starts no UTF-8 sequence
        {"\xc3", "?"},           // a sequence cut short
        {"\xc0\xaf", "??"},      // an overlong form
        {"\xed\xa0\x80", "???"}, // an encoded surrogate
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.utf8);
        EXPECT_EQ(Utf8ToAnsi(c.utf8), c.ansi);
    }
}

TEST(FilesTextEncodingTest, Utf16RoundTripsKeepSurrogatePairs) {
    const std::u16string text = u"a\u00e9\U0001F600z";
    EXPECT_EQ(Utf8ToUtf16(Utf16ToUtf8(text)), text);
    EXPECT_EQ(Utf16ToUtf8(std::u16string(1, char16_t{0xd800})), "\xef\xbf\xbd");
}

} // namespace
