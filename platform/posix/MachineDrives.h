#pragma once
// The drives of the machine that is open: the file services reach the prefix through this.

#include "DriveTable.h"

namespace platform::posix {

// The drive table of EmulatedMachine::Current(); throws MachineError when no machine is open.
DriveTable MachineDrives();

} // namespace platform::posix
