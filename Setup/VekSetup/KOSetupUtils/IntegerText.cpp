#include "KOSetupUtils/IntegerText.h"

#include "platform/Exceptions.h"

#include <optional>
#include <string_view>

namespace kosetup {

namespace {

std::optional<unsigned> DigitValue(char c, unsigned base) {
    unsigned value = 0;
    if (c >= '0' && c <= '9')
        value = static_cast<unsigned>(c - '0');
    else if (base == 16 && c >= 'a' && c <= 'f')
        value = static_cast<unsigned>(c - 'a' + 10);
    else if (base == 16 && c >= 'A' && c <= 'F')
        value = static_cast<unsigned>(c - 'A' + 10);
    else
        return std::nullopt;
    return value;
}

// The magnitude of a run of one or more digits, or nothing when a character is no digit or the
// magnitude passes the limit.
std::optional<std::uint64_t> ReadMagnitude(std::string_view digits, unsigned base, std::uint64_t limit) {
    if (digits.empty())
        return std::nullopt;
    std::uint64_t magnitude = 0;
    for (char c : digits) {
        const std::optional<unsigned> digit = DigitValue(c, base);
        if (!digit)
            return std::nullopt;
        magnitude = magnitude * base + *digit;
        if (magnitude > limit)
            return std::nullopt;
    }
    return magnitude;
}

std::optional<std::int32_t> ParseInteger(std::string_view text) {
    std::size_t pos = text.find_first_not_of(' ');
    if (pos == std::string_view::npos)
        return std::nullopt;
    bool negative = false;
    if (text[pos] == '-' || text[pos] == '+') {
        negative = text[pos] == '-';
        ++pos;
    }
    std::string_view rest = text.substr(pos);
    unsigned base = 10;
    if (rest.starts_with("0x") || rest.starts_with("0X")) {
        base = 16;
        rest.remove_prefix(2);
    } else if (rest.starts_with('$') || rest.starts_with('x') || rest.starts_with('X')) {
        base = 16;
        rest.remove_prefix(1);
    }
    // Decimal numbers must fit the signed range; hexadecimal ones may fill all 32 bits.
    const std::uint64_t limit = base == 16 ? 0xFFFFFFFFull : (negative ? 0x80000000ull : 0x7FFFFFFFull);
    const std::optional<std::uint64_t> magnitude = ReadMagnitude(rest, base, limit);
    if (!magnitude)
        return std::nullopt;
    const auto bits = static_cast<std::uint32_t>(*magnitude);
    return static_cast<std::int32_t>(negative ? 0u - bits : bits);
}

} // namespace

std::int32_t StrToInt(const std::string& text) {
    if (const std::optional<std::int32_t> value = ParseInteger(text))
        return *value;
    throw platform::EConvertError("'" + text + "' is not a valid integer value");
}

} // namespace kosetup
