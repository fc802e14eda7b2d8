#include "EmulatedMachine.h"

#include "platform/Exceptions.h"

namespace platform::posix {

namespace {

// The one process-wide pointer of the backend: every service reaches the machine through it.
EmulatedMachine* currentMachine = nullptr;

} // namespace

EmulatedMachine& EmulatedMachine::Current() {
    if (currentMachine == nullptr)
        throw MachineError(
            "No machine is open: the emulated Windows is used before platform::Machine opens it");
    return *currentMachine;
}

void EmulatedMachine::MakeCurrent(EmulatedMachine& machine) {
    if (currentMachine != nullptr && currentMachine != &machine)
        throw MachineError("A machine is already open in this process");
    currentMachine = &machine;
}

void EmulatedMachine::ClearCurrent(const EmulatedMachine& machine) noexcept {
    if (currentMachine == &machine)
        currentMachine = nullptr;
}

} // namespace platform::posix
