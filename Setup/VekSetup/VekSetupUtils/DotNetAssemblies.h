#pragma once
// The .NET personality's registrations: assembly folders, namespaces, known assemblies, the global
// assembly cache and the .NET library search path.

#include "VekSetupUtils/Ide.h"
#include "VekSetupUtils/IdeLayout.h"
#include "VekSetupUtils/RunOptions.h"

namespace veksetup {

// Step 1 of the walk, for IDEs with HasDotNet. Not built yet: it changes nothing.
void RegisterDotNetAssemblies(const TIDE& ide, const IdeLayout& layout, const RunOptions& options);

} // namespace veksetup
