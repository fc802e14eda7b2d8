#pragma once
// The driver's search path steps: the product's Lib, Bin and Include directories in the IDE's
// per-platform library and C++ paths, in the registry and in EnvOptions.proj.

#include "VekSetupUtils/Ide.h"
#include "VekSetupUtils/IdeLayout.h"
#include "VekSetupUtils/RunOptions.h"

namespace veksetup {

// Steps 3 to 7 of the walk, each run by the driver when its gate holds.
void RegisterWin32Paths(const TIDE& ide, const IdeLayout& layout, const RunOptions& options);
void RegisterWin64Paths(const TIDE& ide, const IdeLayout& layout, const RunOptions& options);
void RegisterOSX32Paths(const TIDE& ide, const IdeLayout& layout, const RunOptions& options);
void RegisterIOSPaths(const TIDE& ide, const IdeLayout& layout, const RunOptions& options);
void RegisterAndroidPaths(const TIDE& ide, const IdeLayout& layout, const RunOptions& options);
// Step 14: the plain Lib (and for the express edition Source) directory under per-IDE directories.
void RegisterPerIdeExtraPaths(const TIDE& ide, const IdeLayout& layout, const RunOptions& options);

} // namespace veksetup
