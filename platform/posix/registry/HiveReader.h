#pragma once
// Reads Wine's hive text format as the Wine server loads it: leniently, a malformed line being
// reported on the diagnostics stream (file:line: what 'line') and skipped; a malformed value is left
// as an empty value of type 0 under its name.

#include "registry/Hive.h"

#include <iosfwd>
#include <string>
#include <string_view>

namespace platform::posix {

// Throws MachineError when the text is not a Wine hive at all (its first line is not
// "WINE REGISTRY Version 2", or its "#arch=" is unknown).
Hive ReadHive(std::string_view text, const std::string& fileName, std::ostream& diagnostics);

} // namespace platform::posix
