#pragma once
// The escaped text of Wine's hive files: key names, value names, string data and classes are UTF-16
// in memory and escaped ASCII in the file, exactly as the Wine server writes and reads them.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace platform::posix {

// Appends text in the hive file's escaped form: a backslash before "\" and before each character of
// `quoted` ("[]" in key names, "\"\"" elsewhere), C escapes or octal for control characters, "\x" and
// lower-case hex for characters above 127 (four digits when a hex digit follows). A NUL that ends the
// text is left out, as the server leaves it out. Returns the number of characters appended.
std::size_t AppendEscaped(std::string& out, std::u16string_view text, std::string_view quoted);

// Reads escaped text from the start of `source` up to the first unescaped `endChar`; bytes above 127
// are UTF-8. Returns how many bytes were consumed, the end character included, or nothing when the
// end character is missing.
std::optional<std::size_t> ParseEscaped(std::string_view source, char endChar, std::u16string& text);

} // namespace platform::posix
