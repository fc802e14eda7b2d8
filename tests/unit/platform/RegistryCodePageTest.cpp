// Windows-1252 as the "A" registry calls convert with it: every byte round-trips, and UTF-16 that
// 1252 lacks becomes its best-fit look-alike or "?", as Windows' own c_1252.nls table says.

#include "registry/AnsiCodePage.h"

#include <fstream>
#include <gtest/gtest.h>
#include <iterator>

namespace {

using namespace platform::posix;

TEST(RegistryCodePageTest, EveryByteRoundTrips) {
    std::string every;
    for (int byte = 0; byte < 256; ++byte)
        every.push_back(static_cast<char>(byte));
    const std::u16string text = AnsiToUtf16(every);
    ASSERT_EQ(text.size(), 256u);
    EXPECT_EQ(text[0x41], u'A');
    EXPECT_EQ(text[0x80], u'\x20ac');
    EXPECT_EQ(text[0x81], u'\x0081');
    EXPECT_EQ(text[0x9f], u'\x0178');
    EXPECT_EQ(text[0xe9], u'\x00e9');
    EXPECT_EQ(Utf16ToAnsi(text), every);
}

TEST(RegistryCodePageTest, MissingCharactersBecomeLookAlikesOrQuestionMarks) {
    struct Case {
        std::u16string text;
        std::string ansi;
    };
    // measured with RegQueryValueExA and RegEnumValueA under Wine 8, and from c_1252.nls
    const Case cases[] = {
        {u"\x0100wide", "Awide"}, {u"\x0100\x20ac\x4e00xyz", "A\x80?xyz"},
        {u"\xff21\xff41", "Aa"},  {u"\x0110", "\xd0"},
        {u"\xd83d\xde00", "??"},  {u"\x2019\x0153", "\x92\x9c"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.ansi);
        EXPECT_EQ(Utf16ToAnsi(c.text), c.ansi);
    }
}

// The table Windows (and Wine) convert with: c_1252.nls's UTF-16 to byte table, when Wine is installed.
std::string WineUnicodeToAnsiTable() {
    std::ifstream in("/usr/share/wine/nls/c_1252.nls", std::ios::binary);
    const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    // A 13-word header, the 259-word byte-to-unit part, one word, then one byte per unit.
    constexpr std::size_t kTableStart = (13 + 259 + 1) * 2;
    if (bytes.size() < kTableStart + 0x10000)
        return {};
    return bytes.substr(kTableStart, 0x10000);
}

TEST(RegistryCodePageTest, EveryUnitConvertsAsWindowsTable) {
    const std::string table = WineUnicodeToAnsiTable();
    if (table.empty())
        GTEST_SKIP() << "Wine's c_1252.nls is not installed";
    int differences = 0;
    for (char32_t unit = 0; unit <= 0xffff; ++unit) {
        const std::string converted = Utf16ToAnsi(std::u16string(1, static_cast<char16_t>(unit)));
        if (converted != std::string(1, table[unit]) && ++differences <= 10)
            ADD_FAILURE() << std::hex << "U+" << static_cast<unsigned>(unit);
    }
    EXPECT_EQ(differences, 0);
}

} // namespace
