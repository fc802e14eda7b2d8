#pragma once
// The encodings the emulation crosses: the program's ANSI texts (Windows-1252) and the UTF-8 of unix
// file names, arguments and folders, as Wine converts between them.

#include <string>
#include <string_view>

namespace platform::posix {

// UTF-8 to UTF-16; a malformed sequence becomes U+FFFD.
std::u16string Utf8ToUtf16(std::string_view utf8);
// UTF-16 to UTF-8; an unpaired surrogate becomes U+FFFD.
std::string Utf16ToUtf8(std::u16string_view text);

// An ANSI text as a unix name or argument.
std::string AnsiToUtf8(std::string_view ansi);
// A unix name or argument as an ANSI text; a character outside Windows-1252 becomes "?".
std::string Utf8ToAnsi(std::string_view utf8);

} // namespace platform::posix
