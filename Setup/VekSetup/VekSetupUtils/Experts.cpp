#include "VekSetupUtils/Experts.h"

#include "KOSetupUtils/RegValueUtils.h"

namespace veksetup {

namespace {

void RegisterExpert(const TIDE& ide, const IdeLayout& layout, const RunOptions& options,
                    const std::string& name, const std::string& libraryStem) {
    const std::string library = options.ProductDir + layout[LayoutTarget::Win32].BinDir + "\\" + libraryStem +
                                ide.PackageSuffix + ".dll";
    kosetup::SetRegValue(ide.RegKey + "\\Experts", name, library, options.Uninstall, true,
                         platform::kHkeyCurrentUser);
}

} // namespace

void RegisterMainExpert(const TIDE& ide, const IdeLayout& layout, const RunOptions& options) {
    RegisterExpert(ide, layout, options, options.ExpertName, options.ExpertName);
}

void RegisterOraWizard(const TIDE& ide, const IdeLayout& layout, const RunOptions& options) {
    RegisterExpert(ide, layout, options, "Oracle Package Wizard", "packagewizard");
}

} // namespace veksetup
