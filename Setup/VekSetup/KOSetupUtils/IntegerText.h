#pragma once
// The program's text-to-integer conversion, used for IDE versions and for counts and numbers read
// from the registry as text.

#include <cstdint>
#include <string>

namespace kosetup {

// Converts: leading blanks, one optional sign, then "$", "x", "X", "0x" or "0X" and hexadecimal
// digits, or decimal digits; nothing may follow. The value must fit a signed 32-bit integer; a
// hexadecimal number may use all 32 bits (so $FFFFFFFF is -1). Anything else, the empty text
// included, raises EConvertError "'<text>' is not a valid integer value".
std::int32_t StrToInt(const std::string& text);

} // namespace kosetup
