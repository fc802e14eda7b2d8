#pragma once
// IDE experts: libraries in the product's Win32 Bin directory, listed under the IDE's "\Experts" key.

#include "VekSetupUtils/Ide.h"
#include "VekSetupUtils/IdeLayout.h"
#include "VekSetupUtils/RunOptions.h"

namespace veksetup {

// Step 8: the product's own expert, named ExpertName. The "Experts" key is created when missing, in
// both modes.
void RegisterMainExpert(const TIDE& ide, const IdeLayout& layout, const RunOptions& options);
// Step 9: the "Oracle Package Wizard" expert.
void RegisterOraWizard(const TIDE& ide, const IdeLayout& layout, const RunOptions& options);

} // namespace veksetup
