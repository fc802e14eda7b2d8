#pragma once
// The IDE's Win32 design packages: the family's shared and controls packages, the product's own
// (with its FireMonkey variant), the Indy wrapper, the Oracle MIDAS provider and the MySQL monitor.

#include "VekSetupUtils/Ide.h"
#include "VekSetupUtils/IdeLayout.h"
#include "VekSetupUtils/SetupContext.h"

#include <string>

namespace veksetup {

// Step 2 of the walk. For each group that the options call for, clears every old entry of the
// group's packages from "\Disabled Packages" and the known-packages key, wherever they were
// registered from, then registers the design package from the IDE's Bin directory (or with
// Uninstall leaves it removed). Missing keys are no error and are not created.
void RegisterPackages(const TIDE& ide, const IdeLayout& layout, const SetupContext& context);

// The description of the product's FireMonkey design package: the first "Components" of the title
// becomes "GUI FireMonkey related Components".
std::string FireMonkeyPackageTitle(const std::string& productTitle);

} // namespace veksetup
