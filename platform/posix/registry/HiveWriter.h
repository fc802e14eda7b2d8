#pragma once
// Writes a hive in Wine's text format, byte for byte as the Wine server saves it: the header, then one
// block per key, depth first, parent before child; a key with no values, class or link but with
// subkeys is written through its subkeys only.

#include "registry/Hive.h"

#include <string>

namespace platform::posix {

std::string WriteHive(const Hive& hive);

} // namespace platform::posix
