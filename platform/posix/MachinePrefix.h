#pragma once
// The emulated machine of one Wine prefix: its lock, its hives loaded once, and their commit.

#include "EmulatedMachine.h"
#include "MachineLock.h"

#include <filesystem>
#include <memory>
#include <optional>

namespace platform::posix {

class PrefixMachine final : public EmulatedMachine {
  public:
    // Locks the prefix (waiting for another run), refuses it while its Wine server runs, loads its
    // hives and becomes the current machine. A missing prefix folder is an empty machine that never
    // writes anything. Throws MachineError, having changed nothing.
    explicit PrefixMachine(std::filesystem::path prefixFolder);
    PrefixMachine(const PrefixMachine&) = delete;
    PrefixMachine& operator=(const PrefixMachine&) = delete;
    ~PrefixMachine() override;

    const std::filesystem::path& PrefixFolder() const override { return prefixFolder_; }
    RegistryStore& Registry() override { return *registry_; }
    void CommitHives() override;
    void ReloadHives() override;

  private:
    void Open();
    std::filesystem::path SystemHivePath() const { return prefixFolder_ / "system.reg"; }
    std::filesystem::path UserHivePath() const { return prefixFolder_ / "user.reg"; }

    std::filesystem::path prefixFolder_;
    bool prefixExists_ = false;
    std::optional<PrefixLock> lock_;
    std::unique_ptr<RegistryStore> registry_;
};

} // namespace platform::posix
