#include "TextEncoding.h"

#include "registry/AnsiCodePage.h"

#include <cstdint>

namespace platform::posix {

namespace {

constexpr char32_t kReplacement = 0xfffd;

// The length of the sequence a lead byte starts, 0 for a byte that cannot start one.
int SequenceLength(unsigned char lead) {
    if (lead < 0x80)
        return 1;
    if (lead >= 0xc2 && lead <= 0xdf)
        return 2;
    if (lead >= 0xe0 && lead <= 0xef)
        return 3;
    if (lead >= 0xf0 && lead <= 0xf4)
        return 4;
    return 0;
}

// Decodes the code point at pos and advances pos; a malformed sequence yields U+FFFD and advances
// past its first byte only, so that the bytes after it are read again.
char32_t DecodeOne(std::string_view utf8, std::size_t& pos) {
    const auto lead = static_cast<unsigned char>(utf8[pos]);
    const int length = SequenceLength(lead);
    if (length == 1) {
        ++pos;
        return lead;
    }
    if (length == 0 || pos + static_cast<std::size_t>(length) > utf8.size()) {
        ++pos;
        return kReplacement;
    }
    char32_t code = lead & (0x7f >> length);
    for (int i = 1; i < length; ++i) {
        const auto next = static_cast<unsigned char>(utf8[pos + static_cast<std::size_t>(i)]);
        if ((next & 0xc0) != 0x80) {
            ++pos;
            return kReplacement;
        }
        code = (code << 6) | (next & 0x3f);
    }
    // Overlong forms, surrogates and code points past U+10FFFF are not characters.
    static constexpr char32_t kSmallest[] = {0, 0, 0x80, 0x800, 0x10000};
    if (code < kSmallest[length] || (code >= 0xd800 && code < 0xe000) || code > 0x10ffff) {
        ++pos;
        return kReplacement;
    }
    pos += static_cast<std::size_t>(length);
    return code;
}

void AppendUtf8(std::string& out, char32_t code) {
    if (code < 0x80) {
        out.push_back(static_cast<char>(code));
    } else if (code < 0x800) {
        out.push_back(static_cast<char>(0xc0 | (code >> 6)));
        out.push_back(static_cast<char>(0x80 | (code & 0x3f)));
    } else if (code < 0x10000) {
        out.push_back(static_cast<char>(0xe0 | (code >> 12)));
        out.push_back(static_cast<char>(0x80 | ((code >> 6) & 0x3f)));
        out.push_back(static_cast<char>(0x80 | (code & 0x3f)));
    } else {
        out.push_back(static_cast<char>(0xf0 | (code >> 18)));
        out.push_back(static_cast<char>(0x80 | ((code >> 12) & 0x3f)));
        out.push_back(static_cast<char>(0x80 | ((code >> 6) & 0x3f)));
        out.push_back(static_cast<char>(0x80 | (code & 0x3f)));
    }
}

bool IsHighSurrogate(char16_t unit) {
    return unit >= 0xd800 && unit < 0xdc00;
}
bool IsLowSurrogate(char16_t unit) {
    return unit >= 0xdc00 && unit < 0xe000;
}

} // namespace

std::u16string Utf8ToUtf16(std::string_view utf8) {
    std::u16string text;
    text.reserve(utf8.size());
    std::size_t pos = 0;
    while (pos < utf8.size()) {
        const char32_t code = DecodeOne(utf8, pos);
        if (code < 0x10000) {
            text.push_back(static_cast<char16_t>(code));
        } else {
            text.push_back(static_cast<char16_t>(0xd800 + ((code - 0x10000) >> 10)));
            text.push_back(static_cast<char16_t>(0xdc00 + ((code - 0x10000) & 0x3ff)));
        }
    }
    return text;
}

std::string Utf16ToUtf8(std::u16string_view text) {
    std::string utf8;
    utf8.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char16_t unit = text[i];
        if (IsHighSurrogate(unit) && i + 1 < text.size() && IsLowSurrogate(text[i + 1])) {
            AppendUtf8(utf8,
                       0x10000 + ((static_cast<char32_t>(unit) - 0xd800) << 10) + (text[i + 1] - 0xdc00));
            ++i;
        } else if (IsHighSurrogate(unit) || IsLowSurrogate(unit)) {
            AppendUtf8(utf8, kReplacement);
        } else {
            AppendUtf8(utf8, unit);
        }
    }
    return utf8;
}

std::string AnsiToUtf8(std::string_view ansi) {
    return Utf16ToUtf8(AnsiToUtf16(ansi));
}

std::string Utf8ToAnsi(std::string_view utf8) {
    return Utf16ToAnsi(Utf8ToUtf16(utf8));
}

} // namespace platform::posix
