#include "VekSetupUtils/DotNetAssemblies.h"

namespace veksetup {

void RegisterDotNetAssemblies(const TIDE& /*ide*/, const IdeLayout& /*layout*/,
                              const RunOptions& /*options*/) {}

} // namespace veksetup
