#pragma once
// What the parse produces and every later step reads: the run options, the IDE list and the system
// directory. One value, made by ReadOptions and passed down by reference, instead of process globals.

#include "VekSetupUtils/Ide.h"
#include "VekSetupUtils/RunOptions.h"

#include <string>

namespace veksetup {

struct SetupContext {
    RunOptions Options;
    IdeList Ides;
    std::string SystemDir; // the system directory followed by "\"
};

} // namespace veksetup
