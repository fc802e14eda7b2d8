#include "KOSetupUtils/BprPaths.h"

namespace kosetup {

void UpdateBprPaths(const std::string& /*rootDir*/, const std::string& /*dir*/, std::int32_t /*version*/) {}

} // namespace kosetup
