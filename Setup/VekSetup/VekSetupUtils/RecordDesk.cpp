#include "VekSetupUtils/RecordDesk.h"

namespace veksetup {

void RegisterRecordDesk(const TIDE& /*ide*/, const SetupContext& /*context*/) {}

} // namespace veksetup
