#pragma once
// IDE entries for tests: described from the IDE table as the parse describes them, with a root
// directory given instead of read from the registry.

#include "VekSetupUtils/IdeTable.h"

#include <string>

namespace veksetup::testing {

inline TIDE TestIde(const std::string& name, std::int32_t version, const std::string& rootDir = "C:\\IDE\\") {
    TIDE ide;
    ide.Name = name;
    ide.Version = version;
    FillFromIdeTable(ide);
    ide.RootDir = rootDir;
    return ide;
}

} // namespace veksetup::testing
