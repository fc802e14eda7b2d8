#include "registry/HiveText.h"

#include <array>
#include <cstdint>
#include <cstdio>

namespace platform::posix {

namespace {

bool IsHexDigit(char c) {
    return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
}

bool IsOctalDigit(char c) {
    return c >= '0' && c <= '7';
}

unsigned HexValue(char c) {
    if (c >= '0' && c <= '9')
        return static_cast<unsigned>(c - '0');
    if (c >= 'a' && c <= 'f')
        return static_cast<unsigned>(c - 'a' + 10);
    return static_cast<unsigned>(c - 'A' + 10);
}

// The C escape letter of each control character, '.' where there is none.
constexpr std::string_view kControlEscapes = ".......abtnvfr.............e....";

void AppendFormatted(std::string& out, const char* format, unsigned value) {
    std::array<char, 16> buffer{};
    const int length = std::snprintf(buffer.data(), buffer.size(), format, value);
    out.append(buffer.data(), static_cast<std::size_t>(length));
}

// Decodes one UTF-8 sequence whose lead byte is at source[pos] (above 127) the way the Wine server
// does: invalid or overlong sequences are dropped, code points above the BMP become surrogates.
std::size_t DecodeUtf8(std::string_view source, std::size_t pos, std::u16string& text) {
    const auto lead = static_cast<unsigned char>(source[pos++]);
    int continuation = 0;
    unsigned codePoint = 0;
    if (lead >= 0xc0 && lead < 0xe0) {
        continuation = 1;
        codePoint = lead & 0x1fu;
    } else if (lead >= 0xe0 && lead < 0xf0) {
        continuation = 2;
        codePoint = lead & 0x0fu;
    } else if (lead >= 0xf0 && lead < 0xf8) {
        continuation = 3;
        codePoint = lead & 0x07u;
    } else {
        return pos; // a stray continuation byte or an invalid lead byte
    }
    static constexpr std::array<unsigned, 4> kMinimum = {0x0, 0x80, 0x800, 0x10000};
    const int length = continuation;
    for (; continuation > 0; --continuation) {
        if (pos >= source.size())
            return pos;
        const unsigned bits = static_cast<unsigned char>(source[pos]) ^ 0x80u;
        if (bits >= 0x40)
            return pos; // the byte that broke the sequence is read again as a character of its own
        codePoint = (codePoint << 6) | bits;
        ++pos;
    }
    if (codePoint < kMinimum[static_cast<std::size_t>(length)] || codePoint > 0x10ffff)
        return pos;
    if (codePoint <= 0xffff) {
        text.push_back(static_cast<char16_t>(codePoint));
    } else {
        codePoint -= 0x10000;
        text.push_back(static_cast<char16_t>(0xd800 | (codePoint >> 10)));
        text.push_back(static_cast<char16_t>(0xdc00 | (codePoint & 0x3ff)));
    }
    return pos;
}

} // namespace

std::size_t AppendEscaped(std::string& out, std::u16string_view text, std::string_view quoted) {
    const std::size_t start = out.size();
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char16_t c = text[i];
        const bool hasNext = i + 1 < text.size();
        const char16_t next = hasNext ? text[i + 1] : u'\0';
        if (c > 127) {
            const bool hexFollows = hasNext && next < 128 && IsHexDigit(static_cast<char>(next));
            AppendFormatted(out, hexFollows ? "\\x%04x" : "\\x%x", c);
        } else if (c < 32) {
            if (c == 0 && !hasNext)
                continue;
            if (kControlEscapes[c] != '.') {
                out.push_back('\\');
                out.push_back(kControlEscapes[c]);
            } else {
                const bool octalFollows = hasNext && next < 128 && IsOctalDigit(static_cast<char>(next));
                AppendFormatted(out, octalFollows ? "\\%03o" : "\\%o", c);
            }
        } else {
            const char plain = static_cast<char>(c);
            if (plain == '\\' || quoted.find(plain) != std::string_view::npos)
                out.push_back('\\');
            out.push_back(plain);
        }
    }
    return out.size() - start;
}

std::optional<std::size_t> ParseEscaped(std::string_view source, char endChar, std::u16string& text) {
    text.clear();
    std::size_t pos = 0;
    while (pos < source.size() && source[pos] != '\0' && source[pos] != endChar) {
        if (source[pos] == '\\') {
            ++pos;
            if (pos >= source.size() || source[pos] == '\0')
                break;
            const char escape = source[pos];
            if (escape == 'x') {
                ++pos;
                if (pos >= source.size() || !IsHexDigit(source[pos])) {
                    text.push_back(u'x');
                    continue;
                }
                unsigned value = 0;
                for (int digits = 0; digits < 4 && pos < source.size() && IsHexDigit(source[pos]); ++digits)
                    value = value * 16 + HexValue(source[pos++]);
                text.push_back(static_cast<char16_t>(value));
                continue;
            }
            if (IsOctalDigit(escape)) {
                unsigned value = 0;
                for (int digits = 0; digits < 3 && pos < source.size() && IsOctalDigit(source[pos]); ++digits)
                    value = value * 8 + static_cast<unsigned>(source[pos++] - '0');
                text.push_back(static_cast<char16_t>(value));
                continue;
            }
            const std::size_t letter = kControlEscapes.find(escape);
            if (letter != std::string_view::npos && escape != '.') {
                text.push_back(static_cast<char16_t>(letter));
                ++pos;
                continue;
            }
            // Any other escaped character stands for itself.
        }
        const auto c = static_cast<unsigned char>(source[pos]);
        if (c < 0x80) {
            text.push_back(c);
            ++pos;
        } else {
            pos = DecodeUtf8(source, pos, text);
        }
    }
    if (pos >= source.size() || source[pos] != endChar)
        return std::nullopt;
    return pos + 1;
}

} // namespace platform::posix
