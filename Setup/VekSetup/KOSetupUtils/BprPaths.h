#pragma once
// The product's directories in C++Builder's project template "Bin\default.bpr".

#include <cstdint>
#include <string>

namespace kosetup {

// Adds Dir's Include and Lib directories to the template of the IDE at RootDir; only adds, in install
// and uninstall runs alike. Not built yet: it changes nothing.
void UpdateBprPaths(const std::string& rootDir, const std::string& dir, std::int32_t version);

} // namespace kosetup
