#pragma once
// The target IDEs named by -CN and -CV, each described and tested for presence.

#include "VekSetupUtils/Ide.h"

#include <string>

namespace veksetup {

// One entry per pair of the bar-separated lists, in their order. Raises "Invalid IDE parameters list"
// when the lists differ in length (before any IDE is looked at), the conversion error for a version
// that is no integer, and EAbort after DescribeIde's warning.
IdeList BuildIdeList(const std::string& ideNames, const std::string& ideVersions);

// Fills every field of an entry whose Name and Version are set and tests that the IDE is installed:
// its key opens under HKEY_LOCAL_MACHINE. An IDE that is not installed, or that the program does not
// know (no key can be derived for it), gets the warning "<Name> <Version> is not installed." and
// the silent abort. RootDir is the key's "RootDir" string with a trailing "\" (a non-string value
// raises the registry's read error).
void DescribeIde(TIDE& ide);

} // namespace veksetup
