#pragma once
// The best-fit characters of Windows-1252: how WideCharToMultiByte (and so every "A" call) writes a
// UTF-16 unit that 1252 does not hold exactly but has a look-alike for.

namespace platform::posix {

// The look-alike byte of a unit (U+0100 "A with macron" gives "A"); false when there is none.
bool BestFitByte(char16_t unit, char& byte);

} // namespace platform::posix
