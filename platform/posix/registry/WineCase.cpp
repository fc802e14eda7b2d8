#include "registry/WineCase.h"

#include <algorithm>
#include <array>
#include <cwctype>
#include <locale.h>

namespace platform::posix {

namespace {

// Units that have a Unicode lower case but that Wine's table maps to themselves.
constexpr std::array<char16_t, 10> kUnchangedByWine = {
    0x0130, 0x01c5, 0x01c8, 0x01cb, 0x01f2, 0x03f4, 0x1e9e, 0x2126, 0x212a, 0x212b,
};

locale_t UnicodeCharacterTypes() {
    // Created once and kept for the life of the process: a constant table, never changed.
    static const locale_t types = newlocale(LC_CTYPE_MASK, "C.UTF-8", static_cast<locale_t>(nullptr));
    return types;
}

} // namespace

char16_t WineToLower(char16_t unit) {
    if (unit < 0x80)
        return unit >= u'A' && unit <= u'Z' ? static_cast<char16_t>(unit + 32) : unit;
    if ((unit >= 0xd800 && unit < 0xe000) ||
        std::find(kUnchangedByWine.begin(), kUnchangedByWine.end(), unit) != kUnchangedByWine.end())
        return unit;
    const locale_t types = UnicodeCharacterTypes();
    if (types == static_cast<locale_t>(nullptr))
        return unit;
    const auto lower = towlower_l(static_cast<wint_t>(unit), types);
    return lower <= 0xffff ? static_cast<char16_t>(lower) : unit;
}

} // namespace platform::posix
