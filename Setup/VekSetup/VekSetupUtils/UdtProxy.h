#pragma once
// The UDT proxy: its assembly in the global assembly cache and its COM class.

#include "VekSetupUtils/Ide.h"
#include "VekSetupUtils/RunOptions.h"

namespace veksetup {

// Step 11 of the walk, under -UDT; the driver drops its failures. Not built yet: it changes nothing.
void RegisterUdtProxy(const TIDE& ide, const RunOptions& options);

} // namespace veksetup
