#include "VekSetupUtils/UdtProxy.h"

namespace veksetup {

void RegisterUdtProxy(const TIDE& /*ide*/, const RunOptions& /*options*/) {}

} // namespace veksetup
