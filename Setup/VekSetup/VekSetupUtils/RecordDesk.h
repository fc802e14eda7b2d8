#pragma once
// The RecordDesk dataset-manager tool: its package, settings, COM class and desktop layouts.

#include "VekSetupUtils/Ide.h"
#include "VekSetupUtils/SetupContext.h"

namespace veksetup {

// Step 10 of the walk, under -DM. Not built yet: it changes nothing.
void RegisterRecordDesk(const TIDE& ide, const SetupContext& context);

} // namespace veksetup
