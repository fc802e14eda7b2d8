// The order and equality of registry names: Wine lower-cases each UTF-16 unit with its own case
// table (l_intl.nls) and then compares, the shorter name first on a tie.

#include "registry/RegistryTree.h"
#include "registry/WineCase.h"

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <vector>

namespace {

using namespace platform::posix;

TEST(RegistryNameOrderTest, ComparesAsWineDoes) {
    struct Case {
        std::u16string a;
        std::u16string b;
        int sign; // of CompareNames(a, b)
    };
    const Case cases[] = {
        {u"Alpha", u"alpha", 0},
        {u"ALPHA", u"alphA", 0},
        {u"_x", u"a", -1},
        {u"[", u"_", -1},
        {u"ab", u"ab2", -1},
        {u"a b", u"a_b", -1},
        {u"Z", u"zeta", -1},
        {u"~", u"\x00c9", -1},
        {u"\x00c9T", u"\x00e9t", 0},
        {u"\x00c9T", u"\x00e9t\x00e9", -1},
        {u"\x0100", u"\x0101", 0},
        {u"\x0130", u"i", 1},
        {u"\x212a", u"k", 1},
        {u"\x0410", u"\x0430", 0},
        {u"", u"a", -1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::PrintToString(std::vector<int>(c.a.begin(), c.a.end())) + " vs " +
                     testing::PrintToString(std::vector<int>(c.b.begin(), c.b.end())));
        const int result = CompareNames(c.a, c.b);
        EXPECT_EQ((result > 0) - (result < 0), c.sign);
        const int reverse = CompareNames(c.b, c.a);
        EXPECT_EQ((reverse > 0) - (reverse < 0), -c.sign);
        EXPECT_EQ(NamesEqual(c.a, c.b), c.sign == 0);
    }
}

// Wine's case table, read the way its server reads it; empty when Wine is not installed.
std::vector<std::uint16_t> WineCaseTable() {
    std::ifstream in("/usr/share/wine/nls/l_intl.nls", std::ios::binary);
    std::vector<std::uint16_t> words;
    std::uint16_t word = 0;
    while (in.read(reinterpret_cast<char*>(&word), sizeof(word)))
        words.push_back(word);
    if (words.empty())
        return {};
    std::size_t offset = words[0];
    offset += words.at(offset); // past the upper-case table
    return std::vector<std::uint16_t>(words.begin() + static_cast<std::ptrdiff_t>(offset + 1), words.end());
}

TEST(RegistryNameOrderTest, LowerCasesEveryUnitAsWinesTable) {
    const std::vector<std::uint16_t> table = WineCaseTable();
    if (table.empty())
        GTEST_SKIP() << "Wine's l_intl.nls is not installed";
    const auto wineLower = [&](char16_t unit) {
        return static_cast<char16_t>(
            unit + table.at(table.at(table.at(unit >> 8) + ((unit >> 4) & 0x0f)) + (unit & 0x0f)));
    };
    int differences = 0;
    for (char32_t unit = 0; unit <= 0xffff; ++unit) {
        const auto u = static_cast<char16_t>(unit);
        if (WineToLower(u) != wineLower(u) && ++differences <= 10)
            ADD_FAILURE() << std::hex << "U+" << static_cast<unsigned>(unit) << ": "
                          << static_cast<unsigned>(WineToLower(u)) << " instead of "
                          << static_cast<unsigned>(wineLower(u));
    }
    EXPECT_EQ(differences, 0);
}

} // namespace
