#pragma once
// The emulated Windows of one Wine prefix, as the posix backend's services share it: the prefix
// folder and the registry hives held in memory for the run. Internal to the posix backend; the
// program only sees platform::Machine.

#include <filesystem>
#include <memory>
#include <string>

namespace platform::posix {

class RegistryStore; // the loaded hives (registry/RegistryStore.h)

class EmulatedMachine {
  public:
    // The machine opened by platform::Machine; throws MachineError when none is open.
    static EmulatedMachine& Current();

    virtual ~EmulatedMachine() = default;
    virtual const std::filesystem::path& PrefixFolder() const = 0;
    virtual RegistryStore& Registry() = 0;
    // Writes the changed hives now (atomically), so that another program can see them.
    virtual void CommitHives() = 0;
    // Reads the hives again, after another program (a tool run through Wine) may have changed them.
    virtual void ReloadHives() = 0;

  protected:
    // The open machine is the process's one current machine for its lifetime: it registers itself
    // once it is ready and unregisters before it goes. Registering a second one is a MachineError.
    static void MakeCurrent(EmulatedMachine& machine);
    static void ClearCurrent(const EmulatedMachine& machine) noexcept;
};

} // namespace platform::posix
