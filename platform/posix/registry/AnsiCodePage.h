#pragma once
// The ANSI code page of the emulated Windows, Windows-1252, as the "A" registry calls convert with it.

#include <string>
#include <string_view>

namespace platform::posix {

// Every byte has a UTF-16 unit (the five bytes that 1252 leaves undefined map to U+0081 and its
// kin, as Windows maps them), so any byte string survives a round trip.
std::u16string AnsiToUtf16(std::string_view ansi);
// A unit that has no byte in 1252 becomes its best-fit look-alike (U+0100 gives "A") or, without
// one, the default character "?", as Windows and Wine convert.
std::string Utf16ToAnsi(std::u16string_view text);

} // namespace platform::posix
