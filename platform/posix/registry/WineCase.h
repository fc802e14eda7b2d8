#pragma once
// The lower-casing by which the Wine server compares registry names.

namespace platform::posix {

// One UTF-16 unit lower-cased as Wine's case table (l_intl.nls) does it: the Unicode simple
// lower-case mapping, except for the few title-case and compatibility letters that Wine leaves alone.
char16_t WineToLower(char16_t unit);

} // namespace platform::posix
