#include "MachineDrives.h"

#include "EmulatedMachine.h"

namespace platform::posix {

DriveTable MachineDrives() {
    return DriveTable(EmulatedMachine::Current().PrefixFolder());
}

} // namespace platform::posix
