#pragma once
// The setup driver: walks the IDE list and runs the registration steps for each IDE.

#include "VekSetupUtils/SetupContext.h"

#include <string>

namespace veksetup {

// True for the product names that stand for no product ("N/A", "DUMMY", ASCII case ignored).
bool IsPlaceholderProduct(const std::string& productName);

// Runs the fourteen steps for each IDE of the context in order, each under its gate (install or, with
// Uninstall, removal). The first failure of the Exception family is shown in a message box captioned
// "VekSetup.exe" and ends the walk: the rest of that IDE and every later IDE are skipped, changes
// made stay. Failures of the UDT proxy step are dropped. Does nothing for a placeholder product.
void RunSetup(const SetupContext& context);

} // namespace veksetup
