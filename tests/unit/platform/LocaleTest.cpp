// Letter case under the emulated English user locale, against what Wine 8 was measured to do:
// CompareStringA(LOCALE_USER_DEFAULT, NORM_IGNORECASE) over all 256 x 256 single bytes and a set of
// longer texts, and CharUpperBuffA over all 256 bytes.

#include "platform/Locale.h"

#include <gtest/gtest.h>
#include <set>
#include <utility>

namespace {

using platform::EqualTextIgnoreCase;
using platform::UpperCaseLocale;

std::string Byte(int value) {
    return std::string(1, static_cast<char>(value));
}

// The pairs of different bytes that Wine found equal.
std::set<std::pair<int, int>> MeasuredEqualPairs() {
    std::set<std::pair<int, int>> pairs;
    const auto add = [&](int a, int b) {
        pairs.insert({a, b});
        pairs.insert({b, a});
    };
    for (int c = 'A'; c <= 'Z'; ++c)
        add(c, c + 0x20);
    for (int c = 0xc0; c <= 0xde; ++c) {
        if (c != 0xd7)
            add(c, c + 0x20);
    }
    add(0x8a, 0x9a); // S with caron
    add(0x8c, 0x9c); // OE ligature
    add(0x8e, 0x9e); // Z with caron
    add(0x9f, 0xff); // Y with diaeresis
    add(0x5e, 0x88); // "^" and the modifier circumflex
    add(0x00, 0xad); // NUL and the soft hyphen are both ignored
    return pairs;
}

TEST(LocaleTest, SingleBytesCompareAsWineComparesThem) {
    const std::set<std::pair<int, int>> equal = MeasuredEqualPairs();
    int mismatches = 0;
    for (int a = 0; a < 256; ++a) {
        for (int b = 0; b < 256; ++b) {
            const bool expected = a == b || equal.count({a, b}) != 0;
            if (EqualTextIgnoreCase(Byte(a), Byte(b)) != expected && ++mismatches <= 10)
                ADD_FAILURE() << std::hex << "bytes 0x" << a << " and 0x" << b << " expected "
                              << (expected ? "equal" : "different");
        }
    }
    EXPECT_EQ(mismatches, 0);
}

TEST(LocaleTest, LongerTextsCompareAsWineComparesThem) {
    struct Case {
        std::string a;
        std::string b;
        bool equal;
    };
    using namespace std::string_literals;
    const Case cases[] = {
        {"Search Path", "SEARCH PATH", true},
        {"C:\\Caf\xe9", "c:\\CAF\xc9", true},
        {"\xe9", "e", false}, // accents count
        {"\xdf", "ss", true}, // ligatures equal their letters
        {"\xdf", "SS", true},
        {"\xe6", "ae", true},
        {"\xc6", "AE", true},
        {"\x9c", "oe", true},
        {"\xfe", "th", true},
        {"\xdf"
         "a",
         "ssa", true},
        {"s\xdf", "sss", true},
        {"\xe6"
         "e",
         "aee", true},
        {"a\0b"s, "ab", true}, // NUL inside is ignored
        {"a\0"s, "a", true},
        {"", "\0"s, true},
        {"", "\xad", true},
        {"a\xad"
         "b",
         "ab", true},
        {"co-op", "coop", false}, // a hyphen counts, and where it stands
        {"co-op", "coo-p", false},
        {"ab-", "a-b", false},
        {"x-", "-x", false},
        {"--", "-", false},
        {"a--b", "a-b", false},
        {"a-b",
         "a\x96"
         "b",
         false}, // hyphen and en dash differ
        {"a\x01"
         "b",
         "ab", false}, // so do control characters
        {"a\x01", "a\x01", true},
        {"a\x01", "a\x02", false},
        {"a-", "a\x01", false},
        {"\x01", "\x01\x01", false},
        {"\xb2", "2", false}, // a superscript is no digit
        {"abc", "abcd", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::PrintToString(c.a) + " vs " + testing::PrintToString(c.b));
        EXPECT_EQ(EqualTextIgnoreCase(c.a, c.b), c.equal);
        EXPECT_EQ(EqualTextIgnoreCase(c.b, c.a), c.equal);
    }
}

TEST(LocaleTest, UpperCasingMapsEveryByteAsWineMapsIt) {
    // CharUpperBuffA over the bytes 0x00 to 0xff, as Wine 8 returned them.
    const std::string measured = "000102030405060708090a0b0c0d0e0f101112131415161718191a1b1c1d1e1f"
                                 "202122232425262728292a2b2c2d2e2f303132333435363738393a3b3c3d3e3f"
                                 "404142434445464748494a4b4c4d4e4f505152535455565758595a5b5c5d5e5f"
                                 "604142434445464748494a4b4c4d4e4f505152535455565758595a7b7c7d7e7f"
                                 "808182838485868788898a8b8c8d8e8f909192939495969798998a9b8c9d8e9f"
                                 "a0a1a2a3a4a5a6a7a8a9aaabacadaeafb0b1b2b3b4b5b6b7b8b9babbbcbdbebf"
                                 "c0c1c2c3c4c5c6c7c8c9cacbcccdcecfd0d1d2d3d4d5d6d7d8d9dadbdcdddedf"
                                 "c0c1c2c3c4c5c6c7c8c9cacbcccdcecfd0d1d2d3d4d5d6f7d8d9dadbdcddde9f";
    std::string all, expected;
    for (int c = 0; c < 256; ++c) {
        all += Byte(c);
        expected += Byte(std::stoi(measured.substr(2 * static_cast<std::size_t>(c), 2), nullptr, 16));
    }
    const std::string upper = UpperCaseLocale(all);
    ASSERT_EQ(upper.size(), 256u); // NUL does not end the text
    for (int c = 0; c < 256; ++c)
        EXPECT_EQ(static_cast<unsigned char>(upper[c]), static_cast<unsigned char>(expected[c]))
            << "byte " << c;
}

} // namespace
