#pragma once
// What the program knows of each IDE it supports, by name and version: its registry key, help
// contents files, package suffix and target platforms.

#include "VekSetupUtils/Ide.h"

#include <cstdint>
#include <string>

namespace veksetup {

struct IdeTableRow {
    const char* Name;
    std::int32_t Version;
    const char* RegKey;
    const char* HelpFile;
    const char* VclHelpFile;
};

// The row of Name and Version (Name compared exactly), or null when the program does not know the IDE.
const IdeTableRow* FindIdeTableRow(const std::string& name, std::int32_t version);

// "105" for version 11, else the version followed by "0".
std::string PackageSuffixFor(std::int32_t version);

// Fills an entry's flags, package suffix, key and help files from its Name and Version; an IDE
// without a table row keeps empty texts there. Returns whether the row was found.
bool FillFromIdeTable(TIDE& ide);

} // namespace veksetup
