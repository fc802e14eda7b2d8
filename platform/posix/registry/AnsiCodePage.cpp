#include "registry/AnsiCodePage.h"

#include "registry/AnsiBestFit.h"

#include <array>
#include <cstdint>

namespace platform::posix {

namespace {

// The units of bytes 0x80 to 0x9F; the rest of 1252 is Latin-1.
constexpr std::array<char16_t, 32> kHighControls = {
    0x20ac, 0x0081, 0x201a, 0x0192, 0x201e, 0x2026, 0x2020, 0x2021, 0x02c6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008d, 0x017d, 0x008f, 0x0090, 0x2018, 0x2019, 0x201c, 0x201d, 0x2022,
    0x2013, 0x2014, 0x02dc, 0x2122, 0x0161, 0x203a, 0x0153, 0x009d, 0x017e, 0x0178,
};

char16_t ByteToUnit(unsigned char byte) {
    return byte >= 0x80 && byte < 0xa0 ? kHighControls[byte - 0x80u] : static_cast<char16_t>(byte);
}

bool UnitToByte(char16_t unit, char& byte) {
    if (unit < 0x80 || (unit >= 0xa0 && unit <= 0xff)) {
        byte = static_cast<char>(unit);
        return true;
    }
    for (std::size_t i = 0; i < kHighControls.size(); ++i) {
        if (kHighControls[i] == unit) {
            byte = static_cast<char>(0x80 + i);
            return true;
        }
    }
    return false;
}

} // namespace

std::u16string AnsiToUtf16(std::string_view ansi) {
    std::u16string text;
    text.reserve(ansi.size());
    for (const char c : ansi)
        text.push_back(ByteToUnit(static_cast<unsigned char>(c)));
    return text;
}

std::string Utf16ToAnsi(std::u16string_view text) {
    std::string ansi;
    ansi.reserve(text.size());
    for (const char16_t unit : text) {
        char byte = '?';
        if (!UnitToByte(unit, byte))
            (void)BestFitByte(unit, byte);
        ansi.push_back(byte);
    }
    return ansi;
}

} // namespace platform::posix
