#include "MachinePrefix.h"

#include "MachineHiveFiles.h"
#include "platform/Exceptions.h"
#include "registry/HiveWriter.h"
#include "registry/RegistryStore.h"

#include <system_error>

namespace platform::posix {

namespace {

// The roots Wine saves the two hives from; the user is Wine's one local user.
constexpr std::u16string_view kMachineRootPath = u"REGISTRY\\Machine";
constexpr std::u16string_view kUserRootPath = u"REGISTRY\\User\\S-1-5-21-0-0-0-1000";

struct LoadedHives {
    Hive machine;
    Hive user;
};

// A hive file that does not exist is an empty hive of the prefix's architecture, created when
// something is written to it.
LoadedHives LoadHives(const std::filesystem::path& systemFile, const std::filesystem::path& userFile,
                      bool prefixExists) {
    std::optional<Hive> machine = prefixExists ? LoadHiveFile(systemFile) : std::nullopt;
    std::optional<Hive> user = prefixExists ? LoadHiveFile(userFile) : std::nullopt;
    HiveArch arch = machine ? machine->arch : (user ? user->arch : HiveArch::Win64);
    if (arch == HiveArch::Unspecified)
        arch = HiveArch::Win32; // as Wine reads a hive without "#arch"
    if (!machine)
        machine = MakeEmptyHive(std::u16string(kMachineRootPath), arch);
    if (!user)
        user = MakeEmptyHive(std::u16string(kUserRootPath), arch);
    // The server reads the architecture from system.reg; a hive file without one is a 32-bit prefix.
    machine->arch = arch;
    return {std::move(*machine), std::move(*user)};
}

} // namespace

PrefixMachine::PrefixMachine(std::filesystem::path prefixFolder) : prefixFolder_(std::move(prefixFolder)) {
    // Registered first, so that a second machine in this process fails at once instead of waiting
    // for the lock this process holds.
    MakeCurrent(*this);
    try {
        Open();
    } catch (...) {
        ClearCurrent(*this);
        throw;
    }
}

void PrefixMachine::Open() {
    std::error_code error;
    prefixExists_ = std::filesystem::is_directory(prefixFolder_, error);
    if (prefixExists_) {
        lock_.emplace(prefixFolder_);
        if (IsWineServerRunning(prefixFolder_))
            throw MachineError("The Wine server of the prefix " + prefixFolder_.string() +
                               " is running and would overwrite the registry; end it first (wineserver -k)");
    }
    LoadedHives hives = LoadHives(SystemHivePath(), UserHivePath(), prefixExists_);
    registry_ = std::make_unique<RegistryStore>(std::move(hives.machine), std::move(hives.user));
}

PrefixMachine::~PrefixMachine() {
    ClearCurrent(*this);
}

void PrefixMachine::CommitHives() {
    if (!prefixExists_)
        return;
    for (auto [hive, file] : {std::pair{&registry_->MachineHive(), SystemHivePath()},
                              std::pair{&registry_->UserHive(), UserHivePath()}}) {
        if (!hive->IsChanged())
            continue;
        ReplaceHiveFile(file, WriteHive(*hive));
        hive->root->ClearChanged();
    }
}

void PrefixMachine::ReloadHives() {
    if (!prefixExists_)
        return;
    LoadedHives hives = LoadHives(SystemHivePath(), UserHivePath(), prefixExists_);
    registry_->ReplaceHives(std::move(hives.machine), std::move(hives.user));
}

} // namespace platform::posix
